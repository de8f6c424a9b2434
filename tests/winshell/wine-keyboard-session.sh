#!/usr/bin/env bash
# velmora.exe under Wine: one editing session done twice, once with the mouse and once with the
# keyboard alone (xdotool key, no pointer event): pick an amp, turn a knob down and up, switch
# the channel off and on, save to a file. Both must send the same bytes and save the same file.
# Usage: wine-keyboard-session.sh VELMORA_EXE CONTROL_PLACES_EXE [WINEPREFIX]
set -euo pipefail

program=$1
places_program=$2
. "$(dirname "$0")/../../tools/wine-desktop.sh" "${3:-}"
title="Velmora 1.01 -  Variax + Vetta II"

count() { tr -d '\r' <"$1/capture.txt" 2>/dev/null | wc -l; }
# Waits until the capture has stopped growing for a second (a pause is half of one).
settle() {
  local last=-1
  while [ "$(count "$1")" != "$last" ]; do
    last=$(count "$1")
    sleep 1
  done
}
click_at() {
  local left top width height
  read -r left top width height <<<"$("$wine" "$places_program" "$title" | tr -d '\r' |
    awk -v name="$1" '$1 == name { print $2, $3, $4, $5 }')"
  xdotool mousemove $((left + width / 2)) $((top + height / 2)) click "$2"
}
# One key name per character of a Windows path.
type_path() {
  local text=$1 i char
  for ((i = 0; i < ${#text}; i++)); do
    char=${text:i:1}
    case $char in
      /) char=backslash ;;
      .) char=period ;;
      -) char=minus ;;
      _) char=underscore ;;
      :) char=colon ;;
    esac
    xdotool key "$char"
  done
}

session() {
  local way=$1 folder=$work/$1
  mkdir -p "$folder/app/images/Guitares"
  cp "$program" "$folder/app/velmora.exe"
  (cd "$folder" && VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="Z:$folder/capture.txt" \
    exec "$wine" "$folder/app/velmora.exe" >"$folder/output.txt" 2>&1) &
  local pid=$!
  wait_for 600 bash -c "[ \$(cat '$folder/capture.txt' 2>/dev/null | wc -l) -ge 33 ]" ||
    fail "$way: no start-up"
  settle "$folder"
  local window
  window=$(wmctrl -l | awk '/Velmora/ { print $1; exit }')
  if [ "$way" = mouse ]; then
    # The amp list opened by a click, its next item chosen as the window test does.
    click_at cbAmpli1 1
    sleep 0.5
    xdotool key Down Return
    settle "$folder"
    click_at knobDRIVE1 1
    click_at knobDRIVE1 3
    click_at bttnOnOffAMP1 1
    settle "$folder"
    click_at bttnOnOffAMP1 1
    settle "$folder"
    click_at bttnEnregistrer 1
  else
    # From the window itself: twelve to DRIVE1, eight more to the amp.
    xdotool key --delay 80 $(printf 'Tab %.0s' {1..20}) Down
    settle "$folder"
    xdotool key --delay 80 $(printf 'shift+Tab %.0s' {1..8}) Down Up
    xdotool key --delay 80 $(printf 'Tab %.0s' {1..7}) space
    settle "$folder"
    xdotool key space
    settle "$folder"
    xdotool key ctrl+s
  fi
  sleep 2
  type_path "Z:$folder/session.vmp"
  xdotool key Return
  wait_for 100 test -s "$folder/session.vmp" || fail "$way: nothing saved"
  wmctrl -i -c "$window"
  wait_for 200 bash -c "! kill -0 $pid 2>/dev/null" || fail "$way: the close box did not end it"
  cut -d' ' -f2- "$folder/capture.txt" | tr -d '\r' >"$folder/wire.txt"
}

session mouse
session keyboard
[ "$(wc -l <"$work/mouse/wire.txt")" -gt 40 ] || fail "the mouse session sent too little"
diff "$work/mouse/wire.txt" "$work/keyboard/wire.txt" >&2 || fail "the keyboard sent other bytes"
cmp "$work/mouse/session.vmp" "$work/keyboard/session.vmp" >&2 || fail "the saved files differ"
echo "PASSED"
