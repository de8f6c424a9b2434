#!/usr/bin/env bash
# The real program on a real X server with a window manager: the start-up's messages on the
# virtual port, the files a first start creates, a knob turned with the mouse, and the close
# box, after which the state is saved. Usage: xvfb-start-and-close.sh PATH/TO/velmora
set -euo pipefail

program=$1
for tool in Xvfb openbox xdotool wmctrl xprop; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done

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

# A portable copy: the program with its picture folder beside it keeps its files there.
cp "$program" "$work/velmora"
mkdir -p "$work/images/Guitares"

start_desktop "$work" || fail "no desktop to run on"

VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$work/capture.txt" "$work/velmora" \
  >"$work/output.txt" 2>&1 &
program_pid=$!
pids+=("$program_pid")

lines() { [ -f "$work/capture.txt" ] && [ "$(wc -l <"$work/capture.txt")" -ge "$1" ]; }
# The restored preset, then the default preset loaded group by group: 33 messages.
wait_for 300 lines 33 || fail "the start-up did not send its 33 messages: $(cat "$work/output.txt")"
sleep 0.3
expected_wire="0 C0 0E|0 C0 00|0 B0 0C 31 00|0 B0 0D 00|0 B0 0E 00|0 B0 0F 00|0 B0 10 00|\
0 B0 15 00|0 B0 11 00|0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7|\
0 F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7|0 B0 0D 40|0 B0 0E 40|0 B0 0F 40|0 B0 10 40|\
0 B0 15 40|0 B0 11 40|0 B0 5B 31 00|0 B0 5C 00|0 B0 5D 00|0 B0 5E 00|0 B0 5F 00|0 B0 66 00|\
0 B0 67 00|0 F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7 00|0 B0 5C 40|0 B0 5D 40|0 B0 5E 40|\
0 B0 5F 40|0 B0 66 40|0 B0 67 40|0 B0 6F 7F|0 B0 70 00|"
wire=$(cut -d' ' -f2- "$work/capture.txt" | tr '\n' '|')
[ "$wire" = "$expected_wire" ] || fail "start-up wire: $wire"

new_config=$'[Variax]\r\nShow=YES\r\n[MIDI]\r\nIn=\r\nOut=0\r\n[PRESETS]\r\nSHOW=YES\r\nBANK=USER\r\nNUMBER=1\r\nLETTER=A\r\n[KNOBS]\r\nFACTOR=8\r\n[CONFIG]\r\nLanguage=EN\r\n'
default_preset() {
  printf '[AMP1]\r\nPower=ON\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE1=%s\r\n' "$1"
  printf 'BASS1=256\r\nMID1=256\r\nTREB1=256\r\nPRES1=256\r\nVOL1=256\r\n'
  printf '[AMP2]\r\nPower=OFF\r\nAmp=Bypass (no amp)\r\nCab=Bypass (no cab)\r\nDRIVE2=256\r\n'
  printf 'BASS2=256\r\nMID2=256\r\nTREB2=256\r\nPRES2=256\r\nVOL2=256\r\n'
  printf '[Variax]\r\nGuitar=\r\n'
}
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
echo "PASSED"
