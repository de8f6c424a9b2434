#!/usr/bin/env bash
# velmora.exe under Wine on a real X server with a window manager: the window's title, the
# start-up's messages and pauses on the virtual port, the files a first start creates, a knob
# pressed and an amp model picked with the mouse and keys, the close through the window
# manager, which saves the state, a second start that sends the saved state, and a third that
# steps the live view by a key and by the footswitch and toggles its full screen; then
# velmora-cli.exe live, stepped by the footswitch and ended by Ctrl-C.
# Usage: wine-window-test.sh VELMORA_EXE CONTROL_PLACES_EXE [WINEPREFIX] [VELMORA_CLI_EXE]
set -euo pipefail

program=$1
places_program=$2
. "$(dirname "$0")/../../tools/wine-desktop.sh" "${3:-}" xwininfo

# A portable copy, as a player unpacks it: the program with its picture folder beside it
# keeps its files there. It runs from another folder, which must stay empty.
app=$work/Velmora
mkdir -p "$app" "$work/cwd"
cp "$program" "$app/velmora.exe"
if [ -d "$(dirname "$program")/images" ]; then
  cp -r "$(dirname "$program")/images" "$app/"
else
  mkdir -p "$app/images/Guitares"
fi


title="Velmora 1.01 -  Variax + Vetta II"
capture=
start() {
  capture=$work/capture-$1.txt
  (cd "$work/cwd" && VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="Z:$capture" \
    exec "$wine" "$app/velmora.exe" >"$work/output-$1.txt" 2>&1) &
  program_pid=$!
}
# The capture without times and with Windows line ends undone, one message per "|".
wire() { cut -d' ' -f2- "$capture" | tr -d '\r' | tr '\n' '|'; }
lines() { [ -f "$capture" ] && [ "$(wc -l <"$capture")" -ge "$1" ]; }
last_wire() { tail -n "$1" "$capture" | cut -d' ' -f2- | tr -d '\r' | tr '\n' '|'; }
# The messages from line $1 to line $2 that came 450 ms or more after the one before: "N:M:".
pauses() {
  tr -d '\r' <"$capture" | awk -v from="$1" -v to="$2" \
    'NR > from && NR <= to && $1 - t >= 450 { printf "%d:", NR } { t = $1 }'
}

bypass_cab1="0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7"
# The restored preset USER 1A, then the default preset group by group, a pause before each
# group: $1 the amp message of channel 1, $2 DRIVE1 as loaded.
startup_wire() {
  echo "0 C0 0E|0 C0 00|$1|0 B0 0D 00|0 B0 0E 00|0 B0 0F 00|0 B0 10 00|0 B0 15 00|\
0 B0 11 00|$bypass_cab1|$bypass_cab1|$2|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|0 B0 15 40|\
0 B0 11 40|0 B0 5B 31 00|0 B0 5C 00|0 B0 5D 00|0 B0 5E 00|0 B0 5F 00|0 B0 66 00|0 B0 67 00|\
0 F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|0 B0 5F 40|\
0 B0 66 40|0 B0 67 40|0 B0 6F 7F|0 B0 70 00|"
}
startup_pauses="3:10:12:18:25:26:32:33:"

# Waits for the start-up's 33 messages and checks them, nothing after them, their pauses and
# the window's title; sets $window.
check_startup() {
  wait_for 600 lines 33 ||
    fail "start $1 did not send its 33 messages: $(cat "$capture" "$work/output-$1.txt" 2>/dev/null)"
  sleep 0.5
  [ "$(wire)" = "$(startup_wire "$2" "$3")" ] || fail "start $1, wire: $(wire)"
  [ "$(pauses 1 33)" = "$startup_pauses" ] ||
    fail "start $1, the pauses are not before messages $startup_pauses: $(cat "$capture")"
  # The window manager's list, without each line's id, desktop and host.
  wait_for 100 eval 'wmctrl -l | grep -q Velmora' || fail "start $1 showed no window"
  titles=$(wmctrl -l | sed -E 's/^[^ ]+ +[^ ]+ +[^ ]+ //')
  [ "$titles" = "$title" ] || fail "start $1, the windows shown are not one titled \"$title\": $titles"
  window=$(wmctrl -l | awk '{ print $1; exit }')
}

# Closes the window as the window manager does, and waits for a clean end.
close_window() {
  wmctrl -i -c "$window"
  wait_for 200 bash -c "! kill -0 $program_pid 2>/dev/null" ||
    fail "closing the window did not end the program"
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" -eq 0 ] || fail "the program ended with status $status: $(cat "$work"/output-*.txt)"
}

new_config=$'[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=EN\r\n'
saved_config=${new_config/Out=0/$'Out=0\r\nOutName=Virtual Out 1'}
# $1 the amp of channel 1, $2 DRIVE1.
preset() {
  printf '[AMP1]\r\nPower=ON\r\nAmp=%s\r\nCab=Bypass (no cab)\r\nDRIVE1=%s\r\n' "$1" "$2"
  printf 'BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n'
  printf '[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n'
  printf 'BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n'
  printf '[Variax]\r\nGuitar=\r\n'
}
check_files() {
  [ "$(cd "$app" && ls -A | tr '\n' ' ')" = "config.ini defaut.vmp images velmora.exe " ] ||
    fail "$1, the program folder holds: $(ls -A "$app")"
  [ -z "$(ls -A "$work/cwd")" ] || fail "$1, files were made in the current folder: $(ls -A "$work/cwd")"
  [ "$(cat "$app/config.ini"; echo .)" = "$2." ] || fail "$1, config.ini: $(cat -A "$app/config.ini")"
  cmp -s "$app/defaut.vmp" <(preset "$3" "$4") || fail "$1, defaut.vmp: $(cat -A "$app/defaut.vmp")"
}

# Where a control of the table, or the "client" area, lies on the screen: "left top width height".
place() {
  "$wine" "$places_program" "$title" | tr -d '\r' | awk -v name="$1" '$1 == name { print $2, $3, $4, $5 }'
}

start 1
# A press during the load's pauses is dropped, not run once they end (the start-up's wire has
# no room for its two messages). Pressed only while a few pauses are still to come.
wait_for 300 lines 3 || fail "start 1 sent no preset: $(cat "$capture" "$work/output-1.txt" 2>/dev/null)"
read -r left top width height <<<"$(place knobDRIVE1)"
[ -n "$height" ] || fail "no place for knobDRIVE1: $("$wine" "$places_program" "$title" 2>&1)"
if [ "$(wc -l <"$capture")" -lt 25 ]; then
  xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
else
  echo "The load ended before the press during it; that press is not checked."
fi
check_startup 1 "0 B0 0C 31 00" "0 B0 0D 40"
# vide.vmp is read, never written: a first start makes only these two files.
check_files "after the first start" "$new_config" "Bypass (no amp)" 256

# The client area is the designed window with the preset panel below it.
read -r _ _ width height <<<"$(place client)"
[ "$width x $height" = "703 x 521" ] || fail "the client area is $width x $height, not 703 x 521"

# A left press on DRIVE1 at 256 with the factor 8 sends the value before and after the step.
read -r left top width height <<<"$(place knobDRIVE1)"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
wait_for 50 lines 35 || fail "the knob press sent nothing"
[ "$(last_wire 2)" = "0 B0 0D 40|0 B0 0D 38|" ] || fail "knob press: $(last_wire 2)"

# The next amp on channel 1, picked in its opened list: its message, the channel's knobs as
# they stand, and after a pause the chosen cab twice.
read -r left top width height <<<"$(place cbAmpli1)"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
sleep 0.5
xdotool key Down
sleep 0.3
xdotool key Return
wait_for 50 lines 44 || fail "the amp pick did not send its 9 messages: $(last_wire 9)"
sleep 0.3
[ "$(last_wire 9)" = "0 B0 0C 2D 00|0 B0 0D 38|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|\
0 B0 15 40|0 B0 11 40|$bypass_cab1|$bypass_cab1|" ] || fail "amp pick: $(last_wire 9)"
[ "$(pauses 36 44)" = "43:" ] || fail "amp pick, the pause before the cab: $(cat "$capture")"

close_window
[ "$(wc -l <"$capture")" -eq 44 ] || fail "something was sent at shutdown: $(last_wire 1)"
check_files "after the close" "$saved_config" "Line6 Tube Preamp" 224

# The next start sends the saved amp and knob, and a close without changes saves the same.
start 2
check_startup 2 "0 B0 0C 2D 00" "0 B0 0D 38"
close_window
[ "$(wc -l <"$capture")" -eq 33 ] || fail "something was sent at the second shutdown"
check_files "after the second close" "$saved_config" "Line6 Tube Preamp" 224

# The live view: the setlist kept in config.ini, F11 shows its first item without sending
# it, Right sends the second (USER 3B: the group switch, then the preset), and the footswitch
# bound in config.ini, replayed on the input port the view opened, loads the third, a file.
# Three Rights during that load go to the sixth with one load, the two stored presets passed
# over never sent.
printf 'FACTORY 16D\tIntro\nUSER 3B\tVerse\nSolo.vmp\nUSER 1A\nFACTORY 2B\nSolo.vmp\tEncore\n' \
  >"$work/gig.vsl"
preset "Line6 Clean" 256 >"$work/Solo.vmp"
printf '%s[LIVE]\r\nSetlist=Z:%s/gig.vsl\r\nNext=B0 50 7F\r\n' "$saved_config" "$work" \
  >"$app/config.ini"
echo "4000 0 B0 50 7F" >"$work/replay.txt"
export VELMORA_MIDI_REPLAY="Z:$work/replay.txt"
start 3
check_startup 3 "0 B0 0C 2D 00" "0 B0 0D 38"
xdotool key F11
wait_for 100 eval 'wmctrl -l | grep -q " Live$"' || fail "F11 showed no live view: $(wmctrl -l)"
sleep 0.5
[ "$(wc -l <"$capture")" -eq 33 ] || fail "the live view sent on opening: $(last_wire 1)"
xdotool key Right
wait_for 50 lines 35 || fail "Right sent nothing"
[ "$(last_wire 2)" = "0 C0 0E|0 C0 09|" ] || fail "Right: $(last_wire 2)"
wait_for 100 lines 36 || fail "the footswitch loaded nothing: $(wire)"
xdotool key Right Right Right
# The third item's load: from line 36 to its last message.
third_loaded() { tail -n +36 "$capture" | grep -q "B0 70 00"; }
wait_for 300 third_loaded || fail "the footswitch's load did not end: $(wire)"
load=$(tail -n +36 "$capture" | grep -n -m1 "B0 70 00" | cut -d: -f1)
loaded() { lines $((35 + 2 * load)) && [ "$(last_wire 1)" = "0 B0 70 00|" ]; }
wait_for 300 loaded || fail "the steps during the load went elsewhere: $(tail -n +36 "$capture")"
sleep 1
[ "$(wc -l <"$capture")" -eq $((35 + 2 * load)) ] ||
  fail "not one load after the steps: $(tail -n +$((36 + load)) "$capture")"
! tail -n +36 "$capture" | grep -q " C0 " || fail "a stored preset passed over was sent"
check_full_screen_toggle "$(wmctrl -l | awk '/ Live$/ { print $1 }')" || fail "live view's full screen"
xdotool key Escape
wait_for 50 eval '! wmctrl -l | grep -q " Live$"' || fail "Escape left the live view open"
close_window

# Wine turns SIGINT into the console's Ctrl-C: the run ends cleanly, with status 0.
[ -n "${4:-}" ] || fail "no velmora-cli.exe given"
capture=$work/capture-cli.txt
echo "1500 0 B0 50 7F" >"$work/replay.txt"
(VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="Z:$capture" exec "$wine" "$4" live "Z:$work/gig.vsl" \
  --in 0 --next "B0 50 7F" </dev/null >"$work/output-cli.txt" 2>&1) &
program_pid=$!
wait_for 300 lines 4 || fail "velmora-cli live did not step twice: $(cat "$work/output-cli.txt")"
kill -INT "$program_pid"
status=0
wait "$program_pid" || status=$?
program_pid=
[ "$status" -eq 0 ] || fail "velmora-cli live ended with status $status after Ctrl-C"
[ "$(tr -d '\r' <"$work/output-cli.txt")" = $'1/6 Intro\n2/6 Verse' ] ||
  fail "velmora-cli live printed: $(cat -A "$work/output-cli.txt")"
[ "$(wire)" = "0 C0 4E|0 C0 7F|0 C0 0E|0 C0 09|" ] || fail "velmora-cli live, wire: $(wire)"
unset VELMORA_MIDI_REPLAY
echo "PASSED"
