#!/usr/bin/env bash
# The real program on a real X server with a window manager: the start-up's messages on the
# virtual port, the files a first start creates, a knob turned with the mouse, and the close
# box, after which the state is saved; then, on a second start, the live view.
# Usage: xvfb-start-and-close.sh PATH/TO/velmora
set -euo pipefail

program=$1
. "$(dirname "$0")/window-run.sh" Xvfb openbox xdotool wmctrl xprop
. "$(dirname "$0")/startup-expectations.sh"

# A portable copy: the program with its picture folder beside it keeps its files there.
cp "$program" "$work/velmora"
mkdir -p "$work/images/Guitares"

start_desktop "$work" || fail "no desktop to run on"

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

window=$(timeout 10 xdotool search --sync --onlyvisible --name "Velmora 1.01") ||
  fail "no window titled Velmora 1.01"
window=${window%%$'\n'*}
# A right press on DRIVE1 (its screen at 176,163, the knob at 60,47 in it) steps it up.
xdotool mousemove --window "$window" 248 222 click 3
wait_for 50 lines 35 || fail "the knob press sent nothing"
[ "$(tail -n 2 "$work/capture.txt" | cut -d' ' -f2- | tr '\n' '|')" = "0 B0 0D 40|0 B0 0D 48|" ] ||
  fail "knob press: $(tail -n 2 "$work/capture.txt")"

wmctrl -i -c "$window"
wait_for 100 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the close box did not end the program"
wait "$program_pid" || fail "the program ended with status $?"
cmp -s "$work/defaut.vmp" <(default_preset 288) || fail "saved defaut.vmp: $(cat -A "$work/defaut.vmp")"
# The close adds the chosen port's name after its number.
saved_config=${new_config/$'Out=0\r\n'/$'Out=0\r\nOutName=Virtual Out 1\r\n'}
[ "$(cat "$work/config.ini"; echo .)" = "$saved_config." ] || fail "saved config.ini: $(cat -A "$work/config.ini")"
[ "$(wc -l <"$work/capture.txt")" -eq 35 ] || fail "something was sent at shutdown"

# The live view: the setlist kept in config.ini, F11 shows its first item without sending it,
# Right sends the second (USER 3B: the group switch, then the preset), and the footswitch bound
# in config.ini, replayed on the input port the view opened, loads the third as Open does.
printf 'FACTORY 16D\tIntro\nUSER 3B\tVerse\nSolo.vmp\n' >"$work/gig.vsl"
handed_preset >"$work/Solo.vmp"
printf '%s[LIVE]\r\nSetlist=%s/gig.vsl\r\nNext=B0 50 7F\r\n' "$saved_config" "$work" \
  >"$work/config.ini"
echo "3000 0 B0 50 7F" >"$work/replay.txt"
rm "$work/capture.txt"
VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$work/capture.txt" VELMORA_MIDI_REPLAY="$work/replay.txt" \
  "$work/velmora" >"$work/output.txt" 2>&1 &
program_pid=$!
pids+=("$program_pid")
wait_for 300 lines 33 || fail "the second start sent too little: $(cat "$work/output.txt")"
sleep 0.3
xdotool key F11
live_view() { wmctrl -l | awk '/ Live$/ { print $1 }'; }
wait_for 100 eval '[ -n "$(live_view)" ]' || fail "F11 showed no live view: $(wmctrl -l)"
sleep 0.5
[ "$(wc -l <"$work/capture.txt")" -eq 33 ] || fail "the live view sent on opening"
xdotool key Right
wait_for 50 lines 35 || fail "Right sent nothing"
[ "$(tail -n 2 "$work/capture.txt" | cut -d' ' -f2- | tr '\n' '|')" = "0 C0 0E|0 C0 09|" ] ||
  fail "Right: $(tail -n 2 "$work/capture.txt")"
wait_for 150 lines 70 || fail "the footswitch did not load the file: $(tail -n +36 "$work/capture.txt")"
sleep 0.5
# The load's first group starts from the state the close saved: DRIVE1 at 288 (48).
[ "$(tail -n +36 "$work/capture.txt" | cut -d' ' -f2- | tr '\n' '|')" = \
  "${handed_load_wire/0 B0 0D 40/0 B0 0D 48}" ] ||
  fail "footswitch load: $(tail -n +36 "$work/capture.txt")"
check_full_screen_toggle "$(live_view)" || fail "the live view's full screen"
xdotool key Escape
wait_for 50 eval '[ -z "$(live_view)" ]' || fail "Escape left the live view open"
wmctrl -i -c "$(timeout 10 xdotool search --onlyvisible --name "Velmora 1.01" | head -n 1)"
wait_for 100 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "the second close did not end it"
echo "PASSED"
