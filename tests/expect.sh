# Shared by the shell tests of the programs (source it after setting
# $program). `fail MESSAGE` notes a failure; the test ends with `exit
# $failed`. `expect STATUS PATTERN ARGS...` runs the program with the
# arguments (after the words of the array `launcher`, when set, such as
# `env -u DISPLAY`) and checks its exit status and that its output, standard
# output and error together, holds the pattern.
failed=0
launcher=()
fail() { echo "FAIL: $*"; failed=1; }

expect() {
  local status=$1 pattern=$2
  shift 2
  local output name
  name=$(basename "$program")
  output=$(timeout 30 "${launcher[@]}" "$program" "$@" 2>&1 </dev/null)
  local got=$?
  [[ $got == "$status" ]] || fail "$name $* exited $got, expected $status: $output"
  grep -qF -- "$pattern" <<<"$output" || fail "$name $*: output lacks \"$pattern\": $output"
}
