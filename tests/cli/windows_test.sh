#!/usr/bin/env bash
# The folioteer program opening its windows: without a display it says so
# and ends with status 2, touching nothing; on Qt's offscreen platform it
# opens the guide in its main window (FOLIOTEER_SCREENSHOT: a picture of it,
# then the end without saving), and the guide stays as it was.
# Usage: windows_test.sh FOLIOTEER EXAMPLE_GUIDE
set -u
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 700 "$work"
cd "$work"
export XDG_RUNTIME_DIR="$work" XDG_CONFIG_HOME="$work" XDG_DATA_HOME="$work" HOME="$work"
source "$(dirname "$0")/../expect.sh"
cp "$2" Welcome.guide

launcher=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
expect 2 "the editor needs a display for its windows" Welcome.guide
launcher=(env QT_QPA_PLATFORM=offscreen FOLIOTEER_SCREENSHOT="$work/main.png")
expect 0 "Save the AmigaGuide File?  -> 0 No" Welcome.guide NOMAKEICONS
[[ "$(head -c 8 main.png | od -An -tx1 | tr -d ' ')" == 89504e470d0a1a0a ]] || fail "no picture of the main window"
cmp -s Welcome.guide "$2" || fail "the guide changed"
[[ ! -e Welcome.guide.info ]] || fail "an icon was written"
exit $failed
