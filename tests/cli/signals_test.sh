#!/usr/bin/env bash
# Signals to folioteer --batch saving a 50 MB guide again and again: SIGINT
# asks whether to save, a second one ends it, as SIGTERM and SIGHUP do. No end
# leaves T:, a partial NAME.XXXXXX, or a guide neither old nor new.
# Usage: signals_test.sh FOLIOTEER
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
mkdir env tmp
export XDG_RUNTIME_DIR="$work/env" XDG_CONFIG_HOME="$work/env" XDG_DATA_HOME="$work/env" HOME="$work/env"
export TMPDIR="$work/tmp"
failed=0
fail() { echo "FAIL: $*"; failed=1; }

{
  printf '@database big\n@node MAIN\n'
  yes 'Lorem ipsum dolor sit amet, consectetur adipiscing elit, sed do eiusmod tempor incididunt ut labor.' |
    head -n 500000
  printf '@endnode\n'
} >old.guide
# The preview puts its files into T: before the saves begin.
printf '%s\n' 'SHOWNODE NodePos 0' DISPNODE 'NEWNODE "Added" 0' '.echo saving' SAVE SAVE SAVE SAVE SAVE SAVE \
  '.echo saved' '.button 0' >saves.script

# The guide after the script ran to its end.
cp old.guide g.guide
"$program" --batch saves.script g.guide NOMAKEICONS >/dev/null 2>&1 || fail "the script does not run"
mv g.guide new.guide
cmp -s old.guide new.guide && fail "the script does not change the guide"

# Starts the script on the old guide and waits until the saves begin.
start() {
  cp old.guide g.guide
  : >out.txt
  "$program" --batch saves.script g.guide NOMAKEICONS >out.txt 2>err.txt &
  pid=$!
  for _ in $(seq 3000); do
    grep -q saving out.txt && return
    sleep 0.01
  done
  fail "the saves never began: $(cat err.txt)"
}

# Waits for the end; checks its status and what it left.
finish() {
  local what=$1 expected=$2
  wait "$pid" 2>/dev/null
  local status=$?
  [[ " $expected " == *" $status "* ]] || fail "$what: exit status $status, expected $expected"
  [[ -z "$(ls -A tmp)" ]] || fail "$what: T: is left: $(ls -R tmp)"
  local left
  left=$(ls | grep -E '^g\.guide\.......$')
  [[ -z "$left" ]] || fail "$what: left $left"
  cmp -s g.guide old.guide || cmp -s g.guide new.guide || fail "$what: the guide is neither the old nor the new one"
}

# SIGINT ended the program at once, without the save question.
start
kill -INT "$pid"
finish "one SIGINT" 0
grep -qF "Save the AmigaGuide File?  -> 1 Yes" err.txt || fail "one SIGINT: no save question: $(cat err.txt)"
grep -q saved out.txt && fail "one SIGINT: the script ran on to its end"
cmp -s g.guide new.guide || fail "one SIGINT: the answer Yes did not save"

start
kill -INT "$pid"
sleep 0.01
kill -INT "$pid"
finish "two SIGINTs" 130

# SIGTERM left T: and, 3 times in 12, a partial g.guide.XXXXXX.
for delay in 0 0.01 0.02 0.03 0.05 0.07 0.09 0.12 0.15 0.18 0.22 0.27; do
  start
  sleep "$delay"
  kill -TERM "$pid"
  finish "SIGTERM after $delay s" "143 0"
done

start
kill -HUP "$pid"
finish "SIGHUP" 129

exit $failed
