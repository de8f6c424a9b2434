#!/usr/bin/env bash
# velmora.exe under Wine: the desktop session's end (wineboot --end-session) runs the close
# sequence, which writes config.ini and defaut.vmp with the knob just turned, and the program
# ends with status 0; then one editor at a time: a second start hands its file to the running
# editor, which loads it and comes up over the window that covered it, and ends with 0;
# without a file it sends nothing and raises the editor all the same.
# Usage: wine-session-and-one-editor.sh VELMORA_EXE CONTROL_PLACES_EXE [WINEPREFIX]
set -euo pipefail

program=$1
places_program=$2
. "$(dirname "$0")/../../tools/wine-desktop.sh" "${3:-}" xprop xmessage
. "$(dirname "$0")/../window/startup-expectations.sh"

app=$work/Velmora
mkdir -p "$app/images/Guitares" "$work/Réglages"
cp "$program" "$app/velmora.exe"

title="Velmora 1.01 -  Variax + Vetta II"
capture=$work/capture.txt
lines() { [ -f "$capture" ] && [ "$(wc -l <"$capture")" -ge "$1" ]; }
count() { wc -l <"$capture"; }
start() {
  rm -f "$capture"
  VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="Z:$capture" "$wine" "$app/velmora.exe" \
    >"$work/output.txt" 2>&1 &
  program_pid=$!
  wait_for 600 lines 33 || fail "the start-up did not send its 33 messages: $(cat "$work/output.txt")"
  wait_for 100 eval 'wmctrl -l | grep -q Velmora' || fail "no window shown"
  window=$(wmctrl -l | awk '/Velmora/ { print $1; exit }')
  sleep 0.5
}
ended() {
  wait_for 200 bash -c "! kill -0 $program_pid 2>/dev/null" || fail "$1 did not end the program"
  status=0
  wait "$program_pid" || status=$?
  program_pid=
  [ "$status" -eq 0 ] || fail "$1: the program ended with status $status"
}

start
# DRIVE1 steps from 256 to 224; the session's end must keep it.
read -r left top width height <<<"$("$wine" "$places_program" "$title" | tr -d '\r' |
  awk '$1 == "knobDRIVE1" { print $2, $3, $4, $5 }')"
[ -n "$height" ] || fail "no place for knobDRIVE1"
xdotool mousemove $((left + width / 2)) $((top + height / 2)) click 1
wait_for 50 lines 35 || fail "the knob press sent nothing"
"$wine" wineboot --end-session >/dev/null 2>&1 || fail "wineboot --end-session failed"
ended "the session's end"
[ "$(count)" -eq 35 ] || fail "something was sent at the session's end"
grep -q $'^DRIVE1=224\r$' "$app/defaut.vmp" || fail "defaut.vmp lost the knob: $(cat -A "$app/defaut.vmp")"
grep -q $'^OutName=Virtual Out 1\r$' "$app/config.ini" || fail "config.ini: $(cat -A "$app/config.ini")"

# From a first start's state, as the Qt window's test.
rm "$app/config.ini" "$app/defaut.vmp"
start
editor=$(printf '0x%x' "$window")
handed_preset >"$work/Réglages/chœur.vmp"
# Another program's window covers the editor, and a second start brings it back on top. (Wine
# passes the restack to the window manager but not the focus: it cannot ask for it.)
on_top() { [ "$(xprop -root _NET_CLIENT_LIST_STACKING | awk '{ print $NF }')" = "$1" ]; }
second_start() {
  xmessage -geometry 900x700+0+0 cover 2>/dev/null &
  cover=$!
  wait_for 50 eval '! on_top "$editor"' || fail "the covering window did not come up"
  status=0
  (cd "$work/Réglages" && VELMORA_MIDI=virtual timeout 60 "$wine" "$app/velmora.exe" "$@" \
    >"$work/second.txt" 2>&1) || status=$?
  [ "$status" -eq 0 ] || fail "the second start $* ended with status $status: $(cat "$work/second.txt")"
  wait_for 50 on_top "$editor" ||
    fail "the second start $* left the editor under: $(xprop -root _NET_CLIENT_LIST_STACKING)"
  kill "$cover"
  wait "$cover" 2>/dev/null || true
}
second_start chœur.vmp
wait_for 300 lines 68 || fail "the handed-over file was not loaded: $(cat "$capture")"
sleep 0.5
load=$(tail -n +34 "$capture" | cut -d' ' -f2- | tr -d '\r' | tr '\n' '|')
[ "$load" = "$handed_load_wire" ] || fail "the load sent: $load"
second_start
sleep 0.5
[ "$(count)" -eq 68 ] || fail "a start without a file sent: $(tail -n +69 "$capture")"
wmctrl -i -c "$window"
ended "the close box"
echo "PASSED"
