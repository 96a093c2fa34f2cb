#!/usr/bin/env bash
# Odd files given to the folioteer program: a FIFO named as the guide and a
# read-only guide opened by the user nobody. (Saving another user's guide
# with hard links: the replacement file tests of tests/support.)
# Usage: files_test.sh FOLIOTEER
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
cd "$work"
mkdir env
export XDG_RUNTIME_DIR="$work/env" XDG_CONFIG_HOME="$work/env" XDG_DATA_HOME="$work/env" HOME="$work/env"
export TMPDIR="$work/env"
failed=0
fail() { echo "FAIL: $*"; failed=1; }
guide='@database p\n@node MAIN\nold text\n@endnode\n'

# A FIFO named as the guide hung the program for ever; now it is refused at once.
mkfifo pipe.guide
printf 'SAVE\n' >save.script
timeout 10 "$program" --batch save.script pipe.guide >out.txt 2>&1
status=$?
[[ $status == 1 ]] || fail "a FIFO as the guide: exit status $status"
grep -qF "OpenAmigaGuideFile FAIL: pipe.guide is not a regular file" out.txt || fail "a FIFO: $(cat out.txt)"

# A read-only guide could not be opened at all. Now it opens, its title
# says so, and SAVE offers the retry requester.
if [[ $(id -u) != 0 ]]; then
  echo "skipped: the read-only guide needs root to switch to nobody"
elif ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$program"; then
  echo "skipped: nobody cannot run $program"
else
  chown nobody env
  printf "$guide" >ro.guide
  chmod 444 ro.guide
  printf '.print windows\n.button 1\n.button 0\n.button 0\nSAVE\n' >ro.script
  setpriv --reuid=nobody --regid=nogroup --clear-groups "$program" --batch ro.script ro.guide NOMAKEICONS \
    >out.txt 2>err.txt
  status=$?
  [[ $status == 1 ]] || fail "the read-only guide: exit status $status: $(cat err.txt)"
  grep -qF 'main window open "Folioteer - ro.guide (read-only)"' out.txt || fail "the title: $(cat out.txt)"
  for line in "AG file write FAIL (Multiview open on it?): ro.guide -> 1 Try Again" \
    "AG file write FAIL (Multiview open on it?): ro.guide -> 0 Abort Pgm" "Abort Pgm Requested" \
    "Save the AmigaGuide File?  -> 0 No"; do
    grep -qF -- "$line" err.txt || fail "the read-only guide: standard error lacks \"$line\": $(cat err.txt)"
  done
  [[ "$(cat ro.guide)" == "$(printf "$guide")" ]] || fail "the read-only guide changed"
fi

exit $failed
