#!/usr/bin/env bash
# folioteer --check end to end.
#   golden  every golden/GROUP/NAME.guide that has a NAME.expected beside it
#           is checked from its group's folder; the output must be the
#           expected lines exactly (paths under the scratch folder shown as
#           <work>), the exit status 1 when they hold an error, else 0, and
#           nothing may be written anywhere
#   cli     the command line: exit statuses, several files, odd names,
#           output that cannot be written, no display; a guide the editor
#           writes from scratch and the example guide check clean
# Usage: check_test.sh FOLIOTEER CASE SOURCE_DIR
set -u
program=$1
case=$2
source_dir=$3
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
source "$here/../expect.sh"

# Places the program could write to: all empty but the volume table.
use_fresh_home() {
  export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data"
  export HOME="$work/home" TMPDIR="$work/tmp"
  rm -rf "$work/config" "$work/runtime" "$work/data" "$work/home" "$work/tmp"
  mkdir -p "$XDG_CONFIG_HOME/Folioteer" "$XDG_RUNTIME_DIR" "$XDG_DATA_HOME" "$HOME" "$TMPDIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  printf '# Amiga volume  Linux folder\nDocs: %s\n' "$work/golden/links/volume" >"$XDG_CONFIG_HOME/Folioteer/Volumes"
}

nothing_written() {
  local written
  written=$(cd "$work" && find config runtime data home tmp -mindepth 1 | grep -vx 'config/Folioteer\|config/Folioteer/Volumes')
  [[ -z $written ]] || fail "--check wrote $written"
}

golden() {
  cp -r "$here/golden" "$work/golden"
  use_fresh_home
  local expected group guide status want
  while read -r expected; do
    group=${expected%%/*}
    guide=${expected#*/}
    guide=${guide%.expected}.guide
    (cd "$work/golden/$group" && timeout 30 "$program" --check "$guide") >"$work/out" 2>"$work/err"
    status=$?
    want=0
    grep -q ': error: ' "$here/golden/$expected" && want=1
    [[ $status == "$want" ]] || fail "$group/$guide: exit status $status, expected $want"
    [[ ! -s "$work/err" ]] || fail "$group/$guide: standard error: $(cat "$work/err")"
    sed "s|$work|<work>|g" "$work/out" >"$work/out.shown"
    cmp -s "$here/golden/$expected" "$work/out.shown" ||
      { fail "$group/$guide differs from $expected:"; diff "$here/golden/$expected" "$work/out.shown"; }
  done < <(cd "$here/golden" && find . -name '*.expected' | sed 's|^\./||' | sort)
  diff -r "$here/golden" "$work/golden" >/dev/null || fail "--check changed the guides: $(diff -r "$here/golden" "$work/golden")"
  nothing_written
}

cli() {
  use_fresh_home
  cd "$work"
  local guide="$source_dir/examples/Welcome.guide"
  expect 0 "Usage: folioteer --check [--] FILE..." --check --help
  expect 2 "--check needs at least one guide file" --check
  [[ -z $(timeout 30 "$program" --check "$guide" 2>&1) ]] || fail "the example guide does not check clean"

  printf '@database "x"\n@node MAIN\n@{"to nowhere" link Nowhere}\n@endnode\n' >broken.guide
  printf '@database "y"\n@node MAIN\n@endnode\n' >-clean.guide
  cp -- -clean.guide '?'
  local output
  output=$(timeout 30 "$program" --check -- -clean.guide broken.guide '?' none.guide 2>&1)
  [[ $? == 1 ]] || fail "a file with an error must give exit status 1"
  [[ $output == "broken.guide:3: error: link \"to nowhere\": there is no node \"Nowhere\" in this guide
none.guide:1: error: there is no file \"none.guide\"" ]] || fail "several files: $output"
  mkfifo pipe
  expect 1 "pipe:1: error: \"pipe\" is a device, a pipe or a socket; it is not opened" --check pipe
  # A name with a line end and an escape stays on one line, the guide's text too.
  local odd=$'odd\n\e[31m.guide'
  printf '@database "odd"\n@node "\e[2J\x01"\n@endnode\n@node "\e[2J\x01"\n@endnode\n' >"$odd"
  output=$(timeout 30 "$program" --check "$odd" 2>&1)
  [[ $output == $'odd??[31m.guide:4: error: node "\uFFFD[2J\uFFFD" has the same name as node "\uFFFD[2J\uFFFD" at line 2' ]] ||
    fail "control characters must not reach the output: $(od -c <<<"$output" | head)"
  if [[ -w /dev/full ]]; then
    timeout 30 "$program" --check broken.guide >/dev/full 2>err
    [[ $? == 1 ]] && grep -qF "cannot write the findings" err || fail "a full disk: $(cat err)"
  fi
  launcher=(env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb)
  expect 1 "broken.guide:3: error:" --check broken.guide
  launcher=()
  nothing_written

  # A guide the editor writes from scratch, with nodes, links, attributes
  # and node commands, checks clean.
  cat >session.script <<'END'
.button 1
NEWGBL CmdName "@author" Strng "Me"
NEWGBL CmdName "@index" NodeRef "Index"
NEWNODE "Intro" 0
NEWNODE "Index" 1
SHOWNODE NodeName "Intro"
.text <<TEXT
Read this first, then the index.
TEXT
.cursor 0 99
NEWLINK CmdName "@{" LinkText "back" Op LINK NodeRef "MAIN"
.block 0 0 0 4
NEWTEXTATTR AttrName "@{b}" On
NEWLCL CmdName "@next" NodeRef "Index"
NEWLCL CmdName "@toc" NodeRef "MAIN"
SAVE
.button 0
QUIT
END
  timeout 60 "$program" --batch session.script Notes.guide NOMAKEICONS >batch.out 2>&1 || fail "the batch session: $(cat batch.out)"
  grep -qF '@{b}Read@{ub}' Notes.guide && grep -qF '@next "Index"' Notes.guide || fail "the session wrote: $(cat Notes.guide)"
  use_fresh_home
  output=$(timeout 30 "$program" --check Notes.guide 2>&1)
  [[ $? == 0 && -z $output ]] || fail "a guide written by the editor: $output"
  nothing_written
}

"$case"
exit $failed
