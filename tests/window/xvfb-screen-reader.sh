#!/usr/bin/env bash
# The main window as a screen reader finds it on a real X server: every control that takes
# the focus, with its role and its name in the language of the moment, in reading order; and
# a knob turned by the reader's increment action, which sends like a right press.
# Usage: xvfb-screen-reader.sh PATH/TO/velmora
set -euo pipefail

program=$1
for tool in Xvfb openbox wmctrl dbus-run-session; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done
if ! /usr/bin/python3 -c 'import pyatspi' 2>/dev/null; then
  echo "SKIPPED: python3-pyatspi is not installed (tools/install-deps.sh installs it)"
  exit 77
fi
if [ -z "${VELMORA_OWN_SESSION_BUS:-}" ]; then
  VELMORA_OWN_SESSION_BUS=1 exec dbus-run-session -- "$0" "$@"
fi

. "$(dirname "$0")/../../tools/xvfb-desktop.sh"
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

cp "$program" "$work/velmora"
mkdir -p "$work/images/Guitares"
start_desktop "$work" || fail "no desktop to run on"
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$work/capture.txt" \
  "$work/velmora" >"$work/output.txt" 2>&1 &
pids+=($!)
lines() { [ -f "$work/capture.txt" ] && [ "$(wc -l <"$work/capture.txt")" -ge "$1" ]; }
wait_for 300 lines 33 || fail "the start-up did not send its 33 messages: $(cat "$work/output.txt")"
sleep 0.3

found=$(/usr/bin/python3 "$(dirname "$0")/atspi-steps.py" walk increase slider:DRV 2>&1) || fail "$found"
channel() {
  echo "slider:DRV|slider:BASS|slider:MID|slider:TREB|slider:PRES|slider:VOL|\
push button:Sensibility: x8|push button:$1|combo box:Bypass (no amp)|combo box:Bypass (no cab)|"
}
expected="push button:New|push button:Open|push button:Save|push button:Synchronise|\
push button:Guitar|push button:Presets|push button:Traduire|push button:About...|\
combo box:Variax + Vetta II|combo box:Virtual Out 1|combo box:Guitars models:|$(channel ON)$(channel OFF)\
push button:FACT|push button:USER|push button:+|push button:-|push button:A|push button:B|\
push button:C|push button:D|text:Log:|text:SysEx:|push button:Send|value 64 -> 72|"
[ "$(tr '\n' '|' <<<"$found")" = "$expected" ] || fail "the screen reader found: $found"
[ "$(tail -n 2 "$work/capture.txt" | cut -d' ' -f2- | tr '\n' '|')" = "0 B0 0D 40|0 B0 0D 48|" ] ||
  fail "the increment sent: $(tail -n 2 "$work/capture.txt")"
echo "PASSED"
