#!/usr/bin/env bash
# One editor at a time, on a real X server: a second start hands its file to the running
# editor, which loads it as Open does and comes to the front, and ends with status 0; without
# a file it only raises the editor; malformed messages change nothing; a killed editor's lock
# and socket never block the next start; the desktop session's end saves and ends it.
# Usage: xvfb-one-editor.sh PATH/TO/velmora PATH/TO/velmora_test_session_manager
set -euo pipefail

program=$1
session_manager=$2
. "$(dirname "$0")/window-run.sh" Xvfb openbox xdotool wmctrl xprop python3
. "$(dirname "$0")/startup-expectations.sh"

cp "$program" "$work/velmora"
mkdir -p "$work/images/Guitares" "$work/Réglages"
start_desktop "$work" || fail "no desktop to run on"

capture=$work/capture.txt
start_first() {
  rm -f "$capture"
  VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$capture" "$work/velmora" >"$work/output.txt" 2>&1 &
  first=$!
  pids+=("$first")
  wait_for 300 lines 33 || fail "the start-up did not send its 33 messages: $(cat "$work/output.txt")"
  window=$(timeout 10 xdotool search --sync --onlyvisible --name "Velmora 1.01") ||
    fail "no window titled Velmora 1.01"
  window=${window%%$'\n'*}
}
lines() { [ -f "$capture" ] && [ "$(wc -l <"$capture")" -ge "$1" ]; }
count() { wc -l <"$capture"; }
# A second start from another folder, minimised window first: it must end with 0 and raise.
second_start() {
  xdotool windowminimize --sync "$window"
  status=0
  (cd "$work/Réglages" && VELMORA_MIDI=virtual timeout 20 "$work/velmora" "$@") || status=$?
  [ "$status" -eq 0 ] || fail "the second start $* ended with status $status"
  wait_for 50 eval '! xprop -id "$window" _NET_WM_STATE | grep -q HIDDEN' ||
    fail "the second start $* did not raise the editor: $(xprop -id "$window" _NET_WM_STATE WM_STATE)"
}

start_first
# A preset named outside ASCII, given by a relative name from another folder.
handed_preset >"$work/Réglages/chœur.vmp"
second_start chœur.vmp
wait_for 200 lines 68 || fail "the handed-over file was not loaded: $(cat "$capture")"
sleep 0.3
load=$(tail -n +34 "$capture" | cut -d' ' -f2- | tr '\n' '|')
[ "$load" = "$handed_load_wire" ] || fail "the load sent: $load"

second_start
sleep 0.5
[ "$(count)" -eq 68 ] || fail "a start without a file sent: $(tail -n +69 "$capture")"

# Too long, relative, cut in a unit: refused, and the editor stays.
python3 - "$XDG_RUNTIME_DIR/velmora.socket" <<'PY'
import socket, sys
for message in [b"VLMR1O/" + b"a" * 300000, b"VLMR1Orelative.vmp", b"VLMR1O", b"GET / HTTP/1.0\r\n"]:
    s = socket.socket(socket.AF_UNIX)
    s.connect(sys.argv[1])
    try:
        s.sendall(message)
    except OSError:
        pass
    s.close()
PY
sleep 1
kill -0 "$first" 2>/dev/null || fail "a malformed message ended the editor"
[ "$(count)" -eq 68 ] || fail "a malformed message sent: $(tail -n +69 "$capture")"

# A crash leaves the lock and the socket; the next start is the editor all the same.
kill -KILL "$first"
wait "$first" 2>/dev/null || true
[ -S "$XDG_RUNTIME_DIR/velmora.socket" ] || fail "the killed editor left no socket to test with"
# It runs in a desktop session: the session manager's first save (a local one) and a
# checkpoint leave it running, the checkpoint with the knob just turned saved; a logout saves
# and ends it with status 0.
"$session_manager" >"$work/session.txt" 2>&1 &
manager=$!
pids+=("$manager")
wait_for 50 grep -q '^SESSION_MANAGER=' "$work/session.txt" || fail "no session manager"
export "$(head -n 1 "$work/session.txt")"
start_first
unset SESSION_MANAGER
wait_for 50 grep -q '^save-done' "$work/session.txt" || fail "session: $(cat "$work/session.txt")"
# DRIVE1 steps up from the 256 that the first start saved.
xdotool mousemove --window "$window" 248 222 click 3
wait_for 50 lines 35 || fail "the knob press sent nothing"
kill -USR2 "$manager"
wait_for 50 eval '[ "$(grep -c "^save-done" "$work/session.txt")" -eq 2 ]' ||
  fail "checkpoint: $(cat "$work/session.txt")"
sleep 0.5
kill -0 "$first" 2>/dev/null || fail "the checkpoint ended the editor"
cmp -s "$work/defaut.vmp" <(default_preset 288) || fail "checkpoint's defaut.vmp: $(cat -A "$work/defaut.vmp")"
kill -USR1 "$manager"
wait_for 100 bash -c "! kill -0 $first 2>/dev/null" || fail "the logout did not end the program"
wait "$first" || fail "the program ended with status $?"
wait "$manager" || fail "the session manager ended with status $?: $(cat "$work/session.txt")"
[ "$(tail -n +2 "$work/session.txt" | tr '\n' '|')" = "registered|save-done|checkpoint|save-done|logout|save-done|die|closed|" ] ||
  fail "session: $(cat "$work/session.txt")"
[ "$(count)" -eq 35 ] || fail "something was sent at the logout: $(tail -n +36 "$capture")"
cmp -s "$work/defaut.vmp" <(default_preset 288) || fail "saved defaut.vmp: $(cat -A "$work/defaut.vmp")"
grep -q $'^OutName=Virtual Out 1\r$' "$work/config.ini" || fail "saved config.ini: $(cat -A "$work/config.ini")"
echo "PASSED"
