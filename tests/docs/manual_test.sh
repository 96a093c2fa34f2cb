#!/usr/bin/env bash
# The manual as the programs meet it in the build:
#   - opened in the editor and saved, its bytes do not change (it is written
#     as the editor writes guides);
#   - the guide checker has nothing to say about it;
#   - the build keeps a copy beside the programs (HELP shows it: tests/install);
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
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
cp "$guide" "$work/Folioteer.guide"
printf '%s\n' SAVE "# No: it is saved already" ".button 0" >"$work/script"
(cd "$work" && XDG_RUNTIME_DIR="$work/runtime" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" timeout 60 \
  "$program" --batch script Folioteer.guide NOMAKEICONS) >"$work/out" 2>&1 || fail "the save: $(cat "$work/out")"
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
fi
exit $failed
