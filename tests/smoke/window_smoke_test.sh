#!/usr/bin/env bash
# Starts the program on a private Xvfb display with no window manager, finds
# its window, checks the caption and the centred 258 x 173 frame on a
# 1024 x 768 screen, presses Esc and expects exit code 0. No D-Bus bus is
# reachable: the program must never get near a real power-off.
set -uo pipefail

program=${1:?usage: window_smoke_test.sh PATH-TO-OSTRIVEL}

for tool in Xvfb xdotool xwininfo; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIP: $tool is not installed (scripts/install-deps.sh installs it)"
    exit 77
  fi
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  [ -n "$program_pid" ] && wait "$program_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && wait "$xvfb_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -s "$work/program.log" ]; then
    echo "--- program output"
    cat "$work/program.log"
  fi
  exit 1
}

# Polls a command every 50 ms until it succeeds or the seconds run out.
wait_for() {
  local seconds=$1
  shift
  local tries=$((seconds * 20))
  while ! "$@" >/dev/null 2>&1; do
    tries=$((tries - 1))
    [ "$tries" -le 0 ] && return 1
    sleep 0.05
  done
}

# Xvfb picks a free display itself and writes its number to fd 3, so parallel
# runs never clash.
Xvfb -displayfd 3 -noreset -nolisten tcp -screen 0 1024x768x24 \
  3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
wait_for 10 grep -q '[0-9]' "$work/display" || fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$(head -n1 "$work/display")"

mkdir -m 700 "$work/runtime"
env -u QT_QPA_PLATFORM -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON \
  XDG_RUNTIME_DIR="$work/runtime" \
  DBUS_SYSTEM_BUS_ADDRESS="unix:path=$work/no-system-bus" \
  DBUS_SESSION_BUS_ADDRESS="unix:path=$work/no-session-bus" \
  "$program" >"$work/program.log" 2>&1 &
program_pid=$!

find_window() {
  window=$(xdotool search --onlyvisible --name '^Ostrivel$' 2>/dev/null | head -n1)
  [ -n "$window" ]
}
window=""
wait_for 15 find_window || fail "no window named Ostrivel appeared"
find_window

caption=$(xdotool getwindowname "$window")
[ "$caption" = "Ostrivel" ] || fail "caption is '$caption'"

# With no window manager the X window is the whole outer frame.
info=$(xwininfo -id "$window")
field() { awk -F: -v key="$1" '$1 ~ key { gsub(/ /, "", $2); print $2 }' <<<"$info"; }
geometry="$(field 'Absolute upper-left X'),$(field 'Absolute upper-left Y') $(field '^ *Width')x$(field '^ *Height')"
[ "$geometry" = "383,297 258x173" ] || fail "window at $geometry, expected 383,297 258x173"

# Nobody gives a new window the keyboard without a window manager.
xdotool windowfocus --sync "$window"
focused() { [ "$(xdotool getwindowfocus)" = "$window" ]; }
wait_for 5 focused || fail "the window did not take the keyboard focus"

xdotool key Escape
exited() { ! kill -0 "$program_pid" 2>/dev/null; }
wait_for 5 exited || fail "Esc did not end the program within 5 s"
wait "$program_pid"
status=$?
program_pid=""
[ "$status" -eq 0 ] || fail "exit code $status, expected 0"

echo "PASS: window '$caption' at $geometry; Esc ended it with exit code 0"
