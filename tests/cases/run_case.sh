#!/usr/bin/env bash
# Runs one end-to-end case through the folioteer program's batch mode.
#
# A case is a folder holding:
#   script     the batch script
#   args       (optional) the words after "--batch script", one line
#   files/     (optional) files the run starts with, in its own directory
#   expected/  (optional) files the run must leave, byte for byte; config/
#              and runtime/ stand for the settings folders (XDG_CONFIG_HOME,
#              XDG_RUNTIME_DIR)
#   absent     (optional) names of files that must not exist afterwards
#   stdout     (optional) the exact standard output
#   stderr     (optional) lines that standard error must contain, in order
#   stderr_not (optional) lines that standard error must not contain
#   status     (optional) the exit status, 0 when missing
#   setup      (optional) a shell snippet run in the directory before the program
#   normalize  (optional) a sed script applied to produced files before they
#              are compared (for times and other things that change per run)
#
# A folder of cases that differ in a line or two holds, instead of a script,
#   table        one case per row: "NAME | COMMANDS | MESSAGE", the commands
#                separated by " ; ", "#" lines comments
#   script.head  the lines of every row's script before its commands
# and the files above, shared by every row; a row's standard error must
# hold its MESSAGE before the lines of stderr.
# Usage: run_case.sh CASE_DIR FOLIOTEER [ROW]
set -u
case_dir=$(cd "$1" && pwd)
program=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
row=${3:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/config" "$work/runtime" "$work/data" "$work/tmp"
script="$case_dir/script"
stderr_lines="$case_dir/stderr"
if [[ -n "$row" ]]; then
  line=$(grep -v '^#' "$case_dir/table" | awk -F' [|] ' -v name="$row" '{ key = $1; sub(/ +$/, "", key) } key == name')
  [[ -n "$line" ]] || { echo "FAIL: no row $row in $case_dir/table"; exit 1; }
  IFS='|' read -r _ commands message <<<"$line"
  trim() { local text=$1; text=${text#"${text%%[! ]*}"}; printf '%s' "${text%"${text##*[! ]}"}"; }
  script="$work/.script"
  { cat "$case_dir/script.head"; trim "$commands" | sed 's/ ; /\n/g'; echo; } >"$script"
  stderr_lines="$work/.stderr"
  { trim "$message"; echo; [[ -f "$case_dir/stderr" ]] && cat "$case_dir/stderr"; } >"$stderr_lines"
fi
[[ -d "$case_dir/files" ]] && cp -R "$case_dir/files/." "$work/"
cd "$work"
[[ -f "$case_dir/setup" ]] && source "$case_dir/setup"
args=()
[[ -f "$case_dir/args" ]] && eval "args=($(cat "$case_dir/args"))"

# No display: a command that starts another program (HELP starts the guide
# viewer) must not open windows on the developer's screen.
DISPLAY= WAYLAND_DISPLAY= XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data" \
  HOME="$work" TMPDIR="$work/tmp" DICTIONARY_WORDLIST="${DICTIONARY_WORDLIST:-}" \
  timeout 60 "$program" --batch "$script" "${args[@]}" >"$work/.out" 2>"$work/.err"
status=$?

failed=0
fail() { echo "FAIL: $*"; failed=1; }
expected_status=0
[[ -f "$case_dir/status" ]] && expected_status=$(cat "$case_dir/status")
[[ "$status" == "$expected_status" ]] || fail "exit status $status, expected $expected_status"
if [[ -f "$case_dir/stdout" ]] && ! cmp -s "$case_dir/stdout" "$work/.out"; then
  fail "standard output differs:"; diff "$case_dir/stdout" "$work/.out" | head -40
fi
if [[ -f "$stderr_lines" ]]; then
  rest=$(cat "$work/.err")
  while IFS= read -r line; do
    [[ -z "$line" ]] && continue
    case "$rest" in
      *"$line"*) rest=${rest#*"$line"} ;;
      *) fail "standard error lacks (in order): $line" ;;
    esac
  done <"$stderr_lines"
fi
if [[ -f "$case_dir/stderr_not" ]]; then
  while IFS= read -r line; do
    [[ -n "$line" ]] && grep -qF -- "$line" "$work/.err" && fail "standard error holds: $line"
  done <"$case_dir/stderr_not"
fi
if [[ -d "$case_dir/expected" ]]; then
  while IFS= read -r -d '' file; do
    name=${file#"$case_dir/expected/"}
    produced="$work/$name"
    if [[ -f "$produced" && -f "$case_dir/normalize" ]]; then
      sed -f "$case_dir/normalize" "$produced" >"$work/.normalized" && produced="$work/.normalized"
    fi
    if [[ ! -f "$work/$name" ]]; then fail "missing file $name"
    elif ! cmp -s "$file" "$produced"; then fail "file $name differs:"; diff "$file" "$produced" | head -40
    fi
  done < <(find "$case_dir/expected" -type f -print0)
fi
if [[ -f "$case_dir/absent" ]]; then
  while IFS= read -r name; do
    [[ -n "$name" && -e "$work/$name" ]] && fail "file $name should not exist"
  done <"$case_dir/absent"
fi
if [[ $failed -ne 0 ]]; then
  echo "--- standard error:"; head -60 "$work/.err"
  exit 1
fi
exit 0
