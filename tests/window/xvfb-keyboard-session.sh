#!/usr/bin/env bash
# One editing session done twice on a real X server, once with the mouse and once with the
# keyboard alone (xdotool key, no pointer event): pick an amp, turn a knob down and up,
# switch the channel off and on, save to a file. Both must send the same bytes and save the
# same file. Before it, a screen reader's walk: every control that takes the focus, with its
# role and name, in reading order. Usage: xvfb-keyboard-session.sh PATH/TO/velmora
set -euo pipefail

program=$1
for tool in Xvfb openbox xdotool wmctrl dbus-run-session; do
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

. "$(dirname "$0")/window-run.sh"

start_desktop "$work" || fail "no desktop to run on"

count() { wc -l <"$1/capture.txt" 2>/dev/null || echo 0; }
# Waits until the capture has stopped growing for a second (a pause is half of one).
settle() {
  local last=-1
  while [ "$(count "$1")" != "$last" ]; do
    last=$(count "$1")
    sleep 1
  done
}
# One key name per character: xdotool types nothing into a Qt line edit here.
type_path() {
  local text=$1 i char
  for ((i = 0; i < ${#text}; i++)); do
    char=${text:i:1}
    case $char in
      /) char=slash ;;
      .) char=period ;;
      -) char=minus ;;
      _) char=underscore ;;
    esac
    xdotool key "$char"
  done
}

session() {
  local way=$1 folder=$work/$1
  mkdir -p "$folder/images/Guitares"
  cp "$program" "$folder/velmora"
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$folder/capture.txt" \
    "$folder/velmora" \
    >"$folder/output.txt" 2>&1 &
  local pid=$!
  pids+=("$pid")
  wait_for 300 test -s "$folder/defaut.vmp" || fail "$way: no start"
  local window
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "Velmora 1.01") || fail "$way: no window"
  window=${window%%$'\n'*}
  wait_for 100 bash -c "[ \$(wc -l <'$folder/capture.txt') -ge 33 ]" || fail "$way: no start-up"
  settle "$folder"
  if [ "$way" = keyboard ]; then
    local found expected channel
    found=$(/usr/bin/python3 "$(dirname "$0")/atspi-steps.py" walk 2>&1 | tr '\n' '|')
    channel="slider:DRV|slider:BASS|slider:MID|slider:TREB|slider:PRES|slider:VOL|\
push button:Sensibility: x8|push button:%s|combo box:Bypass (no amp)|combo box:Bypass (no cab)|"
    expected="push button:New|push button:Open|push button:Save|push button:Synchronise|\
push button:Guitar|push button:Presets|push button:Traduire|push button:About...|\
combo box:Variax + Vetta II|combo box:Virtual Out 1|combo box:Guitars models:|\
$(printf "$channel$channel" ON OFF)push button:FACT|push button:USER|push button:+|\
push button:-|push button:A|push button:B|push button:C|push button:D|text:Log:|text:SysEx:|\
push button:Send|"
    [ "$found" = "$expected" ] || fail "the screen reader found: $found"
  fi
  if [ "$way" = mouse ]; then
    xdotool mousemove --window "$window" 362 254 click 5 # the wheel picks the next amp
    settle "$folder"
    xdotool mousemove --window "$window" 248 222 click 1 click 3 # DRIVE1 down and up
    xdotool mousemove --window "$window" 203 254 click 1 # channel 1 off
    settle "$folder"
    xdotool click 1 # and on
    settle "$folder"
    xdotool mousemove --window "$window" 327 18 click 1 # Enregistrer
  else
    # From the first control in reading order: eleven to DRIVE1, eight more to the amp.
    xdotool key --window "$window" --delay 50 $(printf 'Tab %.0s' {1..19})
    xdotool key Down
    settle "$folder"
    xdotool key --delay 50 $(printf 'shift+Tab %.0s' {1..8}) Down Up
    xdotool key --delay 50 $(printf 'Tab %.0s' {1..7}) space
    settle "$folder"
    xdotool key space
    settle "$folder"
    xdotool key ctrl+s
  fi
  local dialog
  dialog=$(timeout 10 xdotool search --sync --onlyvisible --name "Save|Enregistrer") ||
    fail "$way: no save dialog"
  sleep 0.5
  type_path "$folder/session.vmp"
  xdotool key Return
  wait_for 100 test -s "$folder/session.vmp" || fail "$way: nothing saved"
  wmctrl -i -c "$window"
  wait_for 100 bash -c "! kill -0 $pid 2>/dev/null" || fail "$way: the close box did not end it"
  cut -d' ' -f2- "$folder/capture.txt" >"$folder/wire.txt"
}

session mouse
session keyboard
[ "$(wc -l <"$work/mouse/wire.txt")" -gt 40 ] || fail "the mouse session sent too little"
diff "$work/mouse/wire.txt" "$work/keyboard/wire.txt" >&2 || fail "the keyboard sent other bytes"
cmp "$work/mouse/session.vmp" "$work/keyboard/session.vmp" >&2 || fail "the saved files differ"
echo "PASSED"
