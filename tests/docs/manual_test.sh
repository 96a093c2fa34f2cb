#!/usr/bin/env bash
# The manual as the programs meet it in the build:
#   - opened in the editor and saved, its bytes do not change (it is written
#     as the editor writes guides);
#   - the guide checker has nothing to say about it;
#   - the build keeps a copy beside the programs, PROGDIR:Folioteer.guide,
#     and the menu item "Help" shows that copy in the viewer;
#   - the viewer prints every node as text.
# Usage: manual_test.sh GUIDE FOLIOTEER [FOLIOVIEW]
set -u
guide=$1
program=$(realpath "$2")
viewer=${3:+$(realpath "$3")}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/../expect.sh"
mkdir -p "$work/runtime" "$work/config" "$work/data"
chmod 700 "$work/runtime"
settings=(XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work/config" XDG_DATA_HOME="$work/data")

# batch SCRIPT_LINES...: runs the lines as a script on the copy of the manual.
batch() {
  printf '%s\n' "$@" >"$work/script"
  (cd "$work" && env "${settings[@]}" "${extra[@]}" timeout 60 "$program" --batch script Folioteer.guide \
    NOMAKEICONS) >"$work/out" 2>&1
}

extra=()
cp "$guide" "$work/Folioteer.guide"
batch SAVE "# No: it is saved already" ".button 0" || fail "the save: $(cat "$work/out")"
cmp -s "$guide" "$work/Folioteer.guide" ||
  fail "saved by the editor, the manual changed: $(diff "$guide" "$work/Folioteer.guide" | head -20)"

output=$("$program" --check "$guide" 2>&1)
status=$?
[[ $status == 0 && -z $output ]] || fail "--check exited $status: $output"

copy=$(dirname "$program")/Folioteer.guide
cmp -s "$guide" "$copy" || fail "the build has no up-to-date copy at $copy"

if [[ -n $viewer ]]; then
  "$viewer" --text "$guide" >"$work/text" 2>"$work/err" || fail "folioview --text: $(cat "$work/err")"
  nodes=$(grep -c '^@node ' "$guide")
  shown=$(grep -c $'^\f' "$work/text")
  [[ $nodes == "$shown" ]] || fail "folioview --text printed $shown of $nodes nodes"
  grep -qF "Folioteer edits AmigaGuide hypertext documents." "$work/text" || fail "the MAIN node is not in the text"
  # The menu item "Help" starts the viewer on the build's copy; offscreen,
  # the viewer takes a picture and ends.
  extra=(QT_QPA_PLATFORM=offscreen FOLIOTEER_SCREENSHOT="$work/help.png")
  batch ".menu Help" ".button 0" || fail "Help: $(cat "$work/out")"
  grep -qx "Command from the windows: HELP" "$work/out" || fail "the menu item gave no HELP: $(cat "$work/out")"
  grep -q "Cannot" "$work/out" && fail "HELP: $(cat "$work/out")"
  for _ in $(seq 300); do [[ -s "$work/help.png" ]] && break; sleep 0.1; done
  [[ -s "$work/help.png" ]] || fail "HELP showed no window with the manual"
fi
exit $failed
