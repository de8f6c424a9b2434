#!/usr/bin/env bash
# The real program under a Wayland compositor without a screen, and without X: the start-up's
# messages with their pauses, the files a first start creates, the window's size, the knob
# menu opened by a screen reader at its control (Wayland tells no program where the pointer
# is), a knob turned by the reader's increment action, and SIGTERM, which closes the window as its close box does and saves the state.
# Usage: wayland-start.sh PATH/TO/velmora
set -euo pipefail

program=$1
steps=$(dirname "$0")/atspi-steps.py
for tool in weston dbus-run-session; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIPPED: python3-pyatspi is not installed (tools/install-deps.sh installs it)"
  exit 77
fi
# The screen readers' bus lives on a session bus of the test's own.
if [ -z "${VELMORA_OWN_SESSION_BUS:-}" ]; then
  VELMORA_OWN_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

. "$(dirname "$0")/../../tools/xvfb-desktop.sh"
. "$(dirname "$0")/startup-expectations.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cp "$program" "$work/velmora"
mkdir -p "$work/images/Guitares" "$work/runtime"
chmod 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
socket=velmora-test-$$
weston --backend=headless-backend.so --socket="$socket" --width=1280 --height=1024 \
  --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
wait_for 100 test -S "$XDG_RUNTIME_DIR/$socket" || fail "weston did not start: $(cat "$work/weston.log")"

env -u DISPLAY WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
  VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$work/capture.txt" "$work/velmora" \
  >"$work/output.txt" 2>&1 &
program_pid=$!
pids+=("$program_pid")

lines() { [ -f "$work/capture.txt" ] && [ "$(wc -l <"$work/capture.txt")" -ge "$1" ]; }
wait_for 300 lines 33 || fail "the start-up did not send its 33 messages: $(cat "$work/output.txt")"
sleep 0.3
wire=$(cut -d' ' -f2- "$work/capture.txt" | tr '\n' '|')
[ "$wire" = "$expected_wire" ] || fail "start-up wire: $wire"
[ "$(capture_groups "$work/capture.txt")" = "$expected_groups" ] || fail "pauses: $(cat "$work/capture.txt")"
[ "$(cat "$work/config.ini"; echo .)" = "$new_config." ] || fail "new config.ini: $(cat -A "$work/config.ini")"
cmp -s "$work/defaut.vmp" <(default_preset 256) || fail "new defaut.vmp: $(cat -A "$work/defaut.vmp")"

found=$(/usr/bin/python3 "$steps" size press "Sensibility: x8" pick "x 16" increase slider:DRV 2>&1) ||
  fail "$found"
[ "$found" = $'size 703 521\nmenu at 673 229, control below 673 229\nvalue 64 -> 80' ] ||
  fail "window, menu and knob: $found"
[ "$(tail -n 2 "$work/capture.txt" | cut -d' ' -f2- | tr '\n' '|')" = "0 B0 0D 40|0 B0 0D 50|" ] ||
  fail "knob turn: $(tail -n 2 "$work/capture.txt")"

kill -TERM "$program_pid"
wait_for 100 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "SIGTERM did not end the program"
wait "$program_pid" || fail "the program ended with status $?: $(cat "$work/output.txt") $(tail -n 20 "$work/weston.log")"
grep -q -i 'xcb\|x11' "$work/output.txt" && fail "the program spoke of X: $(cat "$work/output.txt")"
cmp -s "$work/defaut.vmp" <(default_preset 320) || fail "saved defaut.vmp: $(cat -A "$work/defaut.vmp")"
saved_config=${new_config/$'Out=0\r\n'/$'Out=0\r\nOutName=Virtual Out 1\r\n'}
saved_config=${saved_config/FACTOR=8/FACTOR=16}
[ "$(cat "$work/config.ini"; echo .)" = "$saved_config." ] || fail "saved config.ini: $(cat -A "$work/config.ini")"
[ "$(wc -l <"$work/capture.txt")" -eq 35 ] || fail "something was sent at shutdown"
echo "PASSED"
