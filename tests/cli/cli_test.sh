#!/usr/bin/env bash
# The command line of the folioteer program: help, version, and the exit
# status 2 for command lines and scripts that do not fit.
# Usage: cli_test.sh FOLIOTEER
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" HOME="$work"
source "$(dirname "$0")/../expect.sh"

expect 0 "FILE,PUBSCREEN/K,EDITFONT/K,EDITFONTSIZE/N,MAKEICONS/S" --help
expect 0 "Folioteer 1.0 (29.9.2014)" --version
[[ -z "$(ls -A "$work")" ]] || fail "help and version must not open or write anything: $(ls -A "$work")"
launcher=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect 2 "run it with --batch SCRIPT" Notes.guide
launcher=()
[[ ! -e Notes.guide ]] || fail "without a display nothing may be opened or written"
expect 2 "needs a script" --batch
expect 2 "cannot read the script \"missing.script\"" --batch missing.script

printf 'NEWNODE "a" -1\nFROBNICATE now\n' >unknown.script
expect 2 "unknown.script:2: unknown command \"FROBNICATE\"" --batch unknown.script Notes.guide
printf 'NEWNODE "%s" -1\n' "$(head -c 1048576 /dev/zero | tr '\0' 'x')" >long.script
expect 2 "long.script:1: the line is longer than 65536 bytes" --batch long.script Notes.guide
printf '.echo fine\nNEWNODE "a\0b" -1\n' >nul.script
expect 2 "nul.script:2: the line holds a NUL byte" --batch nul.script Notes.guide
printf '.text <<END\nnever ends\n' >heredoc.script
expect 2 "heredoc.script:1: the text has no end line \"END\"" --batch heredoc.script Notes.guide
[[ ! -e Notes.guide ]] || fail "a script that does not fit must not open the guide"

printf '.button 0\n' >quit.script
expect 2 "Bad CLI/Env Params" --batch quit.script Notes.guide EDITFONTSIZE=large
printf '.echo from standard input\n.button 0\n' | timeout 30 "$program" --batch - Stdin.guide >out.txt 2>&1
[[ $? == 0 ]] && grep -qF "from standard input" out.txt || fail "a script on standard input: $(cat out.txt)"

exit $failed
