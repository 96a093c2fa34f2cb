#!/usr/bin/env bash
# End-to-end cases of peekfront: its whole output (checked with its exit
# status, so a line end would show) and its standard error.
#   peekfront_test.sh PEEKFRONT SCREEN_NAMES no-display|dead-display|xvfb|frozen-display
set -euo pipefail
peekfront=$1
screen_names=$2
case=$3
work=$(mktemp -d)
xvfb_pid=""

cleanup() {
  if [[ -n "$xvfb_pid" ]]; then
    kill -CONT "$xvfb_pid" 2>/dev/null || true
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Runs peekfront with arguments it must ignore; "OUTPUT|STATUS".
run_peekfront() {
  local output
  output=$("$@" "$peekfront" -platform offscreen extra 2>"$work/stderr"; printf '|%d' $?)
  [[ ! -s "$work/stderr" ]] || fail "printed on standard error: $(cat "$work/stderr")"
  printf '%s' "$output"
}

expect() {
  [[ "$2" == "$1" ]] || fail "expected [$1], got [$2]"
}

# A display number nobody uses.
free_display() {
  local number
  for number in $(seq 150 250); do
    if [[ ! -e /tmp/.X11-unix/X$number && ! -e /tmp/.X$number-lock ]]; then
      echo "$number"
      return
    fi
  done
  fail "no free display number"
}

# Starts a virtual X server on a display it picks itself (it writes the
# number once it accepts clients) and sets number. Without -noreset the
# server resets whenever its last client leaves, closing every connection
# that arrives meanwhile: the next client (peekfront after the screen list,
# the second peekfront after the first) would then find no display, as a
# desktop, which always has clients, never does.
start_xvfb() {
  command -v Xvfb >/dev/null || exit 77
  Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 800x600x24 3>"$work/display" 2>"$work/xvfb.log" &
  xvfb_pid=$!
  for _ in $(seq 200); do
    [[ -s "$work/display" ]] && break
    kill -0 "$xvfb_pid" 2>/dev/null || fail "Xvfb ended: $(cat "$work/xvfb.log")"
    sleep 0.05
  done
  number=$(head -n 1 "$work/display")
  [[ -n "$number" ]] || fail "Xvfb did not start"
  for _ in $(seq 100); do
    [[ -S /tmp/.X11-unix/X$number ]] && return
    sleep 0.05
  done
  fail "no socket for display :$number"
}

case "$case" in
  no-display)
    expect "Workbench|0" "$(run_peekfront env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)"
    expect "Workbench|0" "$(run_peekfront env -u DISPLAY -u WAYLAND_DISPLAY QT_QPA_PLATFORM=offscreen)"
    ;;
  dead-display)
    mkdir -m 700 "$work/runtime"
    : >"$work/runtime/wayland-test"  # a plain file where a socket should be
    expect "Workbench|0" "$(run_peekfront env -u QT_QPA_PLATFORM DISPLAY=:$(free_display) \
      WAYLAND_DISPLAY=wayland-test XDG_RUNTIME_DIR="$work/runtime")"
    expect "Workbench|0" "$(run_peekfront env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=nonsense)"
    ;;
  xvfb)
    start_xvfb
    names=$(env -u WAYLAND_DISPLAY DISPLAY=":$number" QT_QPA_PLATFORM=xcb "$screen_names" 2>/dev/null)
    [[ $(printf '%s\n' "$names" | wc -l) -eq 1 && -n "$names" ]] || fail "expected one named screen: [$names]"
    expect "$names|0" "$(run_peekfront env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$number")"
    expect "$names|0" "$(run_peekfront env -u WAYLAND_DISPLAY DISPLAY=":$number.0" QT_QPA_PLATFORM=xcb)"
    ;;
  frozen-display)
    # A server that accepts connections but never answers.
    start_xvfb
    kill -STOP "$xvfb_pid"
    expect "Workbench|0" "$(run_peekfront env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM DISPLAY=":$number")"
    kill -CONT "$xvfb_pid"
    ;;
  *)
    fail "unknown case $case"
    ;;
esac
