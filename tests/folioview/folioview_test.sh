#!/usr/bin/env bash
# The folioview program end to end.
#   command-line  help, exit statuses, no display, a picture taken offscreen
#   text          --text against the golden files in text/
#   corpus        --text of every guide of the shared corpus exits 0
#   html          --html against the golden page in html/, links between
#                 guides, refusals
# Usage: folioview_test.sh FOLIOVIEW CASE SHARED_DIR
set -u
program=$1
case=$2
shared=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" HOME="$work"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
source "$here/../expect.sh"

# expect_without_display STATUS PATTERN [VARIABLE=value...] -- ARGS...: as
# expect, without a display whatever the caller's session has, and with the
# variables given.
expect_without_display() {
  local status=$1 pattern=$2
  shift 2
  launcher=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  while [[ $1 != -- ]]; do launcher+=("$1"); shift; done
  shift
  expect "$status" "$pattern" "$@"
  launcher=()
}

command_line() {
  local guide="$work/My Help.guide"
  cp "$here/guides/nav.guide" "$guide"
  expect 0 "FILE/A,WINDOWWIDTH/K/N,WINDOWHEIGHT/K/N,PUBSCREEN/K,NODE/K" --help
  expect 0 "Usage: folioview" "?"
  expect 2 "do not fit the template" "$guide" WINDOWWIDTH wide
  expect 1 "There is no file" "$work/none.guide"
  expect 1 "is a folder" "$work"
  mkfifo "$work/pipe"
  expect 1 "is a device, a pipe or a socket" "$work/pipe"
  expect 1 "is a device, a pipe or a socket" --text "$work/pipe"
  # Without a display the viewer says so and ends with 2, before Qt starts.
  expect_without_display 2 "there is no display" -- "$guide" WINDOWWIDTH 800 WINDOWHEIGHT 600 PUBSCREEN name
  expect_without_display 2 "there is no display" DISPLAY=:97 -- "$guide"
  # Offscreen, asked for a picture, it takes one and ends.
  local output
  output=$(QT_QPA_PLATFORM=offscreen FOLIOTEER_SCREENSHOT="$work/shot.png" timeout 60 "$program" "$guide" \
    WINDOWWIDTH 640 WINDOWHEIGHT 400 PUBSCREEN "Nowhere" NODE chapter 2>&1)
  [[ $? == 0 ]] || fail "the offscreen window: $output"
  grep -qF 'there is no screen named "Nowhere"; the default screen is used' <<<"$output" || fail "no word on the screen: $output"
  [[ "$(head -c 8 "$work/shot.png" | od -An -tx1 | tr -d ' \n')" == "89504e470d0a1a0a" ]] || fail "no PNG written"
  # --text needs no display: Qt is not even started (xcb without a display would abort).
  expect_without_display 0 "A chapter with a table of contents of its own." QT_QPA_PLATFORM=xcb -- \
    --text "$guide" NODE chapter
  expect 2 "usage: folioview --text FILE [NODE name]" --text
  expect 1 "there is no node \"nowhere\"" --text "$guide" NODE nowhere
  if [[ -w /dev/full ]]; then
    timeout 30 "$program" --text "$guide" >/dev/full 2>"$work/err"
    [[ $? == 1 ]] && grep -qF "cannot write the text" "$work/err" || fail "a full disk: $(cat "$work/err")"
  fi
}

# check EXPECTED ARGS...: the standard output of --text, byte for byte.
check() {
  local expected=$here/text/$1
  shift
  (cd "$here" && timeout 30 "$program" --text "$@") >"$work/out" 2>"$work/err"
  [[ $? == 0 ]] || fail "--text $*: $(cat "$work/err")"
  cmp -s "$expected" "$work/out" || { fail "--text $* differs from $expected:"; diff "$expected" "$work/out" | head -20; }
}

text() {
  check nav.txt guides/nav.guide
  check nav-chapter.txt guides/nav.guide NODE chapter
  check other-target.txt guides/sub/OTHER.GUIDE NODE target
  check latin1.txt text/latin1.guide
  check latin1-second.txt text/latin1.guide NODE "Zweite Seite"
  check utf8.txt text/utf8.guide
  # Control characters in link labels can neither break a line nor forge a header.
  check controls.txt text/controls.guide
  check notes-whole.txt text/notes.txt
  check notes-node.txt text/notes.txt NODE anything  # a file that is no guide: any node is its one node
}

corpus() {
  local count=0 guide
  for guide in "$shared"/corpus/guides/*.guide; do
    timeout 30 "$program" --text "$guide" >"$work/out" 2>"$work/err"
    local status=$?
    [[ $status == 0 ]] || fail "--text $guide exited $status: $(head -c 300 "$work/err")"
    [[ -s "$work/out" ]] || fail "--text $guide printed nothing"
    count=$((count + 1))
  done
  [[ $count -gt 0 ]] || { echo "no corpus guides in $shared/corpus/guides"; exit 77; }
  echo "$count guides"
}

html() {
  local out
  cp -R "$here/guides" "$here/text" "$work/"
  # No display needed: Qt is never started (xcb without a display would abort).
  expect_without_display 0 "" QT_QPA_PLATFORM=xcb -- --html "$work/text/latin1.guide"
  cmp -s "$here/html/latin1.html" "$work/text/latin1.html" ||
    { fail "--html latin1.guide differs:"; diff "$here/html/latin1.html" "$work/text/latin1.html" | head -20; }
  # Links to other guides lead to their pages beside them, relative to the page.
  expect 0 "" --html "$work/guides/nav.guide"
  grep -qF 'href="sub/OTHER.html#node-target"' "$work/guides/nav.html" || fail "no link to sub/OTHER.html"
  mkdir "$work/out dir"
  expect 0 "" --html "$work/guides/nav.guide" "$work/out dir/page.html"
  grep -qF 'href="../guides/sub/OTHER.html#node-target"' "$work/out dir/page.html" || fail "no link back from out dir"
  for page in "$work/guides/nav.html" "$work/out dir/page.html"; do
    out=$(tidy -errors -quiet "$page" 2>&1)
    [[ -z "$out" ]] || fail "tidy on $page: $out"
  done
  # Never over the guide itself, whatever the spelling; nothing written when refused.
  cp "$work/guides/nav.guide" "$work/notes.html"
  expect 1 "the page would be the guide itself" --html "$work/notes.html"
  expect 1 "the page would be the guide itself" --html "$work/guides/nav.guide" "$work/guides/../guides/nav.guide"
  cmp -s "$work/notes.html" "$here/guides/nav.guide" || fail "the guide named notes.html was changed"
  expect 1 "Unable to create HTML file" --html "$work/guides/nav.guide" "$work/no such dir/page.html"
  expect 2 "usage: folioview --html FILE [OUTFILE]" --html
}

"${case//-/_}"
exit $failed
