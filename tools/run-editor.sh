#!/usr/bin/env bash
# Builds the optimised editor and starts it.
#
# With a display (DISPLAY or WAYLAND_DISPLAY) the editor simply runs in the foreground.
# Without one it runs under Xvfb and openbox: the script waits for the start-up messages,
# saves a screenshot, closes the window through the window manager (so that the shutdown
# saves the state, as the close box does) and fails unless the editor started, sent and
# ended with status 0. A machine without any MIDI output port gets the virtual ports.
set -euo pipefail
cd "$(dirname "$0")/.."

# Only what runs: the tests and benchmarks come with tools/run-tests.sh or a whole build.
cmake --preset release
cmake --build --preset release --target velmora velmora-cli

program=build/release/src/window/velmora
cli=build/release/src/cli/velmora-cli
screenshot=build/release/screenshots/velmora.png

fail() {
  echo "run-editor: $*" >&2
  exit 1
}

[ -x "$program" ] || fail "$program was not built: Qt 6 is missing (tools/install-deps.sh installs it)"

# A first start without hardware stays usable: the virtual ports stand in for the rig.
ports=$("$cli" ports 2>&1) || true
if ! grep -q '^out ' <<<"$ports"; then
  export VELMORA_MIDI=virtual
  echo "No MIDI output port on this machine: using the built-in virtual ports (VELMORA_MIDI=virtual)."
fi

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$program"
fi

for tool in Xvfb openbox xdotool wmctrl xwininfo import; do
  command -v "$tool" >/dev/null || fail "no display and no $tool to make one (tools/install-deps.sh installs it)"
done

. tools/xvfb-desktop.sh
work=$(mktemp -d)
editor=
cleanup() {
  [ -z "$editor" ] || kill "$editor" 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

running() { kill -0 "$editor" 2>/dev/null; }
editor_output() { sed 's/^/  /' "$work/editor.log" >&2; }

start_desktop "$work" || fail "no desktop to run the editor on"

capture=
if [ "${VELMORA_MIDI:-}" = virtual ]; then
  capture=$work/capture.txt
  export VELMORA_MIDI_CAPTURE=$capture
fi
"$program" >"$work/editor.log" 2>&1 &
editor=$!

# The window appears before the default preset's load, which runs while it is shown.
window=
for _ in $(seq 300); do
  running || break
  window=$(xdotool search --onlyvisible --pid "$editor" 2>/dev/null | head -n 1) || true
  [ -z "$window" ] || break
  sleep 0.1
done
[ -n "$window" ] || {
  editor_output
  running && fail "the editor did not show its window within 30 s"
  status=0
  wait "$editor" || status=$?
  editor=
  fail "the editor ended with status $status before showing its window"
}
echo "The editor shows \"$(xdotool getwindowname "$window")\"."

# The load sends group by group with a pause of half a second between groups: the start-up
# is over once nothing more has been sent for three pauses.
sent() { if [ -f "$capture" ]; then wc -l <"$capture"; else echo 0; fi; }
if [ -n "$capture" ]; then
  last=-1
  quiet=0
  for _ in $(seq 600); do
    running || break
    count=$(sent)
    if [ "$count" -gt 0 ] && [ "$count" -eq "$last" ]; then
      quiet=$((quiet + 1))
      [ "$quiet" -lt 15 ] || break
    else
      quiet=0
    fi
    last=$count
    sleep 0.1
  done
  running || {
    editor_output
    fail "the editor ended during its start-up"
  }
  [ "$(sent)" -gt 0 ] || fail "the editor sent nothing at start-up"
  [ "$quiet" -ge 15 ] || fail "the editor was still sending after a minute"
  echo "It sent its $(sent) start-up messages on the virtual port."
else
  # Real ports are not captured: allow the load's pauses a bounded time.
  sleep 10
  running || {
    editor_output
    fail "the editor ended during its start-up"
  }
fi

# A message box left open means the start-up reported an error.
windows=$(xdotool search --onlyvisible --pid "$editor" 2>/dev/null | wc -l)

mkdir -p "$(dirname "$screenshot")"
# The window with the frame and title bar that openbox draws around it.
geometry=$(xwininfo -id "$window")
field() { sed -n "s/.*$1: *//p" <<<"$geometry"; }
left=$(field 'Absolute upper-left X')
top=$(field 'Absolute upper-left Y')
border=$(field 'Relative upper-left X')
title_bar=$(field 'Relative upper-left Y')
import -window root \
  -crop "$(($(field Width) + 2 * border))x$(($(field Height) + title_bar + border))+$((left - border))+$((top - title_bar))" +repage \
  "$screenshot" || fail "no screenshot could be taken"

if [ "$windows" -gt 1 ]; then
  editor_output
  fail "the editor shows a message box at start-up (see $screenshot)"
fi

wmctrl -i -c "$window"
wait_for 300 bash -c "! kill -0 $editor 2>/dev/null" || fail "the editor did not end after its window was closed"
status=0
wait "$editor" || status=$?
editor=
if [ "$status" -ne 0 ]; then
  editor_output
  fail "the editor ended with status $status"
fi
echo "Closed cleanly. Screenshot: $(pwd)/$screenshot"
