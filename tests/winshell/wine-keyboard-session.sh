#!/usr/bin/env bash
# velmora.exe under Wine: one editing session done twice, once with the mouse and once with the
# keyboard alone (xdotool key, no pointer event): pick an amp, turn a knob down and up, switch
# the channel off and on, save to a file. Both must send the same bytes and save the same file.
# The keyboard session then goes through the preset library: Ctrl+L, a search, Enter, F2 and
# Delete, and the name plate's right-click menu.
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

# The capture's messages after line $2, without times.
sent_after() { tail -n +$(($2 + 1)) "$1/capture.txt" | cut -d' ' -f2- | tr -d '\r'; }
shown() { wmctrl -l | grep -q "$1"; }

# The library opened with Ctrl+L holds the two presets of its folder; "plexi" leaves one, which
# Enter loads as Open does; F2 renames it to the name box's text; Delete, which Wine cannot
# do, keeps the file and says so. Escape closes the window, and the name plate's right-click
# menu opens it again.
library() {
  local folder=$1 rock=$1/app/presets/Rock before
  before=$(count "$folder")
  xdotool key ctrl+l
  wait_for 100 shown "Preset library" || fail "Ctrl+L showed no library: $(wmctrl -l)"
  sleep 0.5
  xdotool type --delay 80 plexi
  sleep 0.5
  xdotool key Return
  # A load ends with its progress message.
  wait_for 300 bash -c "tail -n 1 '$folder/capture.txt' | grep -q 'B0 70 00'" ||
    fail "Enter loaded nothing whole: $(sent_after "$folder" "$before" | tr '\n' '|')"
  local load
  load=$(sent_after "$folder" "$before" | tr '\n' '|')
  local cab="0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7" knobs="0 B0 0E 40|0 B0 0F 40|0 B0 10 40|0 B0 15 40|0 B0 11 40"
  [ "$load" = "0 B0 0C 1A 00|0 B0 0D 40|$knobs|$cab|$cab|0 B0 0D 01|$knobs|0 B0 5C 40|\
0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|0 B0 66 40|0 B0 67 40|0 B0 6F 7F|0 B0 70 00|" ] ||
    fail "the audition sent: $load"
  # The load's handler ends after its last message, and input that came meanwhile is dropped.
  sleep 1
  xdotool key --delay 80 Tab Tab End space 2 F2
  wait_for 100 test -f "$rock/Plexi Tele 2.vmp" || fail "F2 renamed nothing: $(ls "$rock")"
  [ ! -e "$rock/Plexi Tele.vmp" ] || fail "the renamed file is still there"
  # Wine's IFileOperation answers "Not implemented": the box names the file, which stays.
  xdotool key --delay 80 shift+Tab Delete
  wait_for 100 bash -c "[ \$(wmctrl -l | grep -c 'Velmora 1.01') -eq 2 ]" ||
    fail "Delete showed no box: $(wmctrl -l)"
  [ -f "$rock/Plexi Tele 2.vmp" ] || fail "a failed Delete lost the file"
  xdotool key Return
  # The box's owner, the editor, has the focus back.
  sleep 0.5
  wmctrl -a "Preset library"
  sleep 0.5
  xdotool key Escape
  wait_for 100 bash -c "! wmctrl -l | grep -q 'Preset library'" || fail "Escape left the library"
  click_at pnlOptions 3
  sleep 0.5
  xdotool key Down Return
  wait_for 100 shown "Preset library" || fail "the name plate's menu showed no library"
  xdotool key Escape
}

session() {
  local way=$1 folder=$work/$1
  mkdir -p "$folder/app/images/Guitares" "$folder/app/presets/Rock"
  cp "$program" "$folder/app/velmora.exe"
  printf '[AMP1]\r\nAmp=Line6 Clean\r\n' >"$folder/app/presets/Clean.vmp"
  # No guitar: this copy has no guitar pictures, whose absence a load reports.
  printf "[AMP1]\r\nPower=ON\r\nAmp='68 Brit Plexi Lead 100\r\nDRIVE1=4\r\n" \
    >"$folder/app/presets/Rock/Plexi Tele.vmp"
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
  cut -d' ' -f2- "$folder/capture.txt" | tr -d '\r' >"$folder/wire.txt"
  if [ "$way" = keyboard ]; then
    library "$folder"
  fi
  wmctrl -i -c "$window"
  wait_for 200 bash -c "! kill -0 $pid 2>/dev/null" || fail "$way: the close box did not end it"
}

session mouse
session keyboard
[ "$(wc -l <"$work/mouse/wire.txt")" -gt 40 ] || fail "the mouse session sent too little"
diff "$work/mouse/wire.txt" "$work/keyboard/wire.txt" >&2 || fail "the keyboard sent other bytes"
cmp "$work/mouse/session.vmp" "$work/keyboard/session.vmp" >&2 || fail "the saved files differ"
echo "PASSED"
