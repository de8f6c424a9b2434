#!/bin/sh
# Runs inside the sequencer VM, from a scratch folder: velmora-cli and the receiver against
# the kernel's Midi Through ports (client 14, ports 0 and 1). Prints a PASS or FAIL line per
# check, with what differed, and the figures measured; exit status 1 when a check failed.

here=$(dirname "$0")
. "$here/check-report.sh"

# expect_many NAME EXPECTED_FILE ACTUAL_FILE: the same for thousands of lines, showing only
# how many there were and the first that differ.
expect_many() {
  if cmp -s "$2" "$3"; then
    pass "$1"
  else
    fail "$1"
    echo "  $(wc -l <"$2") lines expected, $(wc -l <"$3") got; the first differences:"
    diff "$2" "$3" | head -n 12 | sed 's/^/    /'
  fi
}


# Waits up to 20 s for one of our ports, named after its target, to be in the sequencer,
# then a second more for the input to be started after it.
wait_for_port() {
  tries=0
  while ! grep -q "\"$1\"" /proc/asound/seq/clients; do
    tries=$((tries + 1))
    [ $tries -lt 200 ] || return 1
    sleep 0.1
  done
  sleep 1
}

# Waits up to 20 s for FILE to have LINES lines; a background job may not have made it yet.
wait_for_lines() {
  tries=0
  until [ -f "$1" ] && [ "$(wc -l <"$1")" -ge "$2" ]; do
    tries=$((tries + 1))
    [ $tries -lt 200 ] || return 1
    sleep 0.1
  done
}

through0="Midi Through:Midi Through Port-0"
through1="Midi Through:Midi Through Port-1"
sysex=$(awk 'BEGIN { printf "F0"; for (i = 0; i < 998; i++) printf " %02X", i % 128; printf " F7" }')

# --- ports
velmora-cli ports >ports.txt 2>&1
printf 'out 0: %s\nout 1: %s\nin 0: %s\nin 1: %s\n' "$through0" "$through1" "$through0" \
  "$through1" >ports.expected
expect "ports lists Midi Through by client:port name, as out and in" ports.expected ports.txt

# --- output: a whole preset load and synchronise, its pauses measured at the receiver
printf '[AMP1]\r\nPower=ON\r\nAmp=%s\r\nCab=4x12 Line6\r\nDRIVE1=508\r\nBASS1=300\r\nMID1=256\r\n' \
  "'65 Brit Plexi J-45" >full.vmp
printf 'TREB1=200\r\nPRES1=100\r\nVOL1=400\r\n[AMP2]\r\nPower=ON\r\nAmp=Line6 Class A\r\n' >>full.vmp
printf 'Cab=1x12 Class A\r\nDRIVE2=12\r\nBASS2=44\r\nMID2=256\r\nTREB2=480\r\nPRES2=511\r\n' >>full.vmp
printf 'VOL2=0\r\n[Variax]\r\nGuitar=2 Telecaster modified\r\n' >>full.vmp
receiver listen 14:0 300 -- velmora-cli load --sync full.vmp >load.txt 2>load.err
# Each expected line: the pauses of 500 ms before the message, then its bytes. A pause is
# the gap between the messages around it: never short by more than 20 ms, and its median
# within 20 ms. The emulated machine, shared with the host's load, may delay one message
# now and then, which a single gap must then show within 100 ms.
title="load --sync of a full preset arrives byte for byte, pauses 500 ms +-20 ms"
if [ "$(exit_status load.txt)" = 0 ] && [ ! -s load.err ] &&
  awk -v latest=100 -v median_within=20 -f "$here/preset-pauses.awk" \
    "$here/full-preset-sync.expected" load.txt; then
  pass "$title"
else
  fail "$title"
  cat load.err
fi

# --- the rig simulator as a sequencer client of its own: the load above, sent to it, leaves
# it in the file's state (knob values are the file's divided by 4)
velmora-cli rig --json --create >rig.json 2>rig.err &
rig=$!
if wait_for_port "Velmora Rig"; then
  port=$(velmora-cli ports | sed -n 's/^out \([0-9]*\): Velmora Rig:Velmora Rig$/\1/p')
  velmora-cli load --port "${port:-none}" full.vmp >rig-load.txt 2>&1
fi
kill -TERM $rig
wait $rig
echo "exit $?" >>rig.json
cat rig.err rig-load.txt >>rig.json
cat >rig.expected <<'JSON'
{"AMP1":{"amp":"'65 Brit Plexi J-45","cab":"4x12 Line6","power":"ON","knobs":{"DRIVE":127,"BASS":75,"MID":64,"TREB":50,"PRES":25,"VOL":100}},"AMP2":{"amp":"Line6 Class A","cab":"1x12 Class A","power":"ON","knobs":{"DRIVE":3,"BASS":11,"MID":64,"TREB":120,"PRES":127,"VOL":0}},"guitar":"2 Telecaster modified","preset":null,"unknown":0}
exit 0
JSON
expect "velmora-cli load sent to velmora-cli rig --create leaves the rig in the file's state" \
  rig.expected rig.json

# --- output: a long SysEx, the pad bytes after complete messages, running status
receiver listen 14:0 300 -- velmora-cli send "$sysex" >sysex.txt
echo "$sysex" >sysex.expected
events sysex.txt >sysex.got
expect "a SysEx of 1000 bytes arrives whole, as one event" sysex.expected sysex.got

# The last buffer has its pad too: a message held back until the next send would be lost.
receiver listen 14:0 300 -- velmora-cli send "B0 0D 40" "B0 0C 31 00" \
  "F0 00 01 0C 03 08 01 00 F7 00" "C0 0E 00" >stray.txt
printf 'B0 0D 40\nB0 0C 31\nF0 00 01 0C 03 08 01 00 F7\nC0 0E\n' >stray.expected
events stray.txt >stray.got
expect "a stray 00 after a complete message is dropped, the message arrives at once" \
  stray.expected stray.got

# Our buffers always carry their status byte: data bytes after a complete message belong to
# no message and are dropped, so a pad 00 never becomes a message of its own.
receiver listen 14:0 300 -- velmora-cli send "90 3C 7F 3E 7F" "80 3C 00 3E 00" >running.txt
printf '90 3C 7F\n80 3C 00\n' >running.expected
events running.txt >running.got
expect "running-status data after a complete message is not sent" running.expected running.got

# --- latency, in sequencer time: from starting "velmora-cli send" to the arrival, and from
# just before a send in a running program to the arrival
receiver listen 14:0 200 -- velmora-cli send "B0 0C 31" >latency.txt
receiver listen 14:0 200 -- send_latency 20 >>latency.txt
awk '$1 == "S" { start = $2 } $1 == "T" { sent[++t] = $2 } $1 == "E" { time[++n] = $2 }
  END {
    for (i = 2; i <= n && i - 1 <= t; i++) {
      late = time[i] - sent[i - 1]
      for (j = ++count; j > 1 && sorted[j - 1] > late; j--) sorted[j] = sorted[j - 1]
      sorted[j] = late
    }
    printf "  latency: %.1f ms from starting velmora-cli send to arrival; a send to its arrival: median %.2f ms, %.2f to %.2f ms over %d sends\n", time[1] - start, sorted[int((count + 1) / 2)], sorted[1], sorted[count], count
  }' latency.txt

# --- input: the monitor over Midi Through, forwarding to the other through port
receiver listen 14:1 300 -- sh -c 'exec velmora-cli monitor --in 0 --thru 1 >monitor.txt 2>monitor.err' \
  >thru.txt &
listener=$!
if wait_for_port "In $through0"; then
  receiver send 14:0 "B0 07 64" "FE"
  receiver send 14:0 --pieces 256 "$sysex"
  receiver send 14:0 "C0 05"
fi
wait_for_lines monitor.txt 5
# Ended the way Ctrl-C ends it.
kill -TERM "$(pidof velmora-cli)"
wait $listener
sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' monitor.txt >monitor.got
cat monitor.err >>monitor.got
{
  printf '[T] %s: <Status> B0, <Data 1> 07 <Data 2> 64\n -->%s\n' "$through0" "$through1"
  printf '[T] %s: <Bytes> 1000 <SysEx> %s \n' "$through0" "$sysex"
  printf '[T] %s: <Status> C0, <Data 1> 05 <Data 2> 00\n -->%s\n' "$through0" "$through1"
} >monitor.expected
expect "monitor logs with the port name, filters FE, logs a SysEx in pieces once and whole" \
  monitor.expected monitor.got
printf 'B0 07 64\nC0 05\n' >thru.expected
events thru.txt >thru.got
expect "monitor forwards the short messages only, Active Sensing left out" thru.expected thru.got

# --- live: the footswitch message and the items share Midi Through port 0, so the receiver
# times both on one clock; the items' program changes echoed back never step.
printf 'USER 1A\nUSER 2B\tSecond\n' >gig.vsl
receiver listen 14:0 300 -- sh -c 'exec velmora-cli live gig.vsl --in 0 --next "B0 50 7F" >live.out 2>live.err' \
  >live.txt &
listener=$!
if wait_for_port "In $through0" && wait_for_lines live.out 1; then
  receiver send 14:0 "B0 50 7F"
fi
wait_for_lines live.out 2
kill -TERM "$(pidof velmora-cli)"
wait $listener
cat live.err >>live.out
printf '1/2 USER 1A\n2/2 Second\n' >live.expected
expect "live prints item 1 at start, then the footswitch's step" live.expected live.out
{ events live.txt && exit_status live.txt; } >live.got
printf 'C0 0E\nC0 00\nB0 50 7F\nC0 0E\nC0 05\n0\n' >live-events.expected
expect "live sends item 1, then the next on the footswitch; exit 0" live-events.expected live.got
awk '$1 == "E" && $3 == "B0" { pressed = $2 } $1 == "E" && pressed != "" && $3 == "C0" && !told {
  printf "  live: %.2f ms from the footswitch message to the first byte sent\n", $2 - pressed; told = 1 }' live.txt

# --- back-pressure: 3000 Control Changes in one send, faster than a reader takes them, with
# the monitor and then aseqdump listening: the send waits for room, nothing is lost.
seconds() { awk '{ print $1 }' /proc/uptime; }
awk 'BEGIN { for (i = 0; i < 3000; i++) printf "B0 %02X %02X\n", i % 120, int(i / 120) }' >ccs.txt
velmora-cli monitor --in 0 >burst.txt 2>&1 &
monitor=$!
if wait_for_port "In $through0"; then
  started=$(seconds)
  velmora-cli send "$(tr "\n" " " <ccs.txt)" >burst-send.txt 2>&1
  echo "exit $?" >>burst-send.txt
  ended=$(seconds)
fi
wait_for_lines burst.txt 3000
kill -TERM $monitor && wait $monitor
sed "s/^\(B0\) \(..\) \(..\)$/[T] $through0: <Status> \1, <Data 1> \2 <Data 2> \3/" ccs.txt |
  { echo "exit 0" && cat; } >burst.expected
sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' burst.txt |
  cat burst-send.txt - >burst.got
expect_many "3000 messages in one send to a port the monitor listens on: exit 0, all logged in order" \
  burst.expected burst.got
awk -v s="$started" -v e="$ended" 'BEGIN { printf "  3000 messages through the sequencer in %.2f s: %d a second\n", e - s, 3000 / (e - s) }'

# aseqdump buffers its output until it ends: it is given time to read, then stopped.
aseqdump -p 14:0 >dump.txt 2>&1 &
dumper=$!
wait_for_port "aseqdump"
started=$(seconds)
velmora-cli send "$(tr "\n" " " <ccs.txt)" >dump-send.txt 2>&1
echo "exit $?" >>dump-send.txt
ended=$(seconds)
sleep 2
kill -TERM $dumper && wait $dumper
awk 'BEGIN { for (i = 0; i < 3000; i++) printf "controller %d, value %d\n", i % 120, int(i / 120) }' |
  cat dump-send.txt - >dump.expected
sed -n 's/.*Control change *[0-9]*, //p' dump.txt | cat dump-send.txt - >dump.got
expect_many "3000 messages in one send to a port aseqdump listens on: exit 0, all arrive in order" \
  dump.expected dump.got
awk -v s="$started" -v e="$ended" 'BEGIN { printf "  with aseqdump: %.2f s, %d a second\n", e - s, 3000 / (e - s) }'

# A flood the monitor cannot keep up with (it is stopped meanwhile): one line says how many
# events were lost, and the monitor goes on with what comes next.
velmora-cli monitor --in 0 >flood.txt 2>&1 &
monitor=$!
if wait_for_port "In $through0"; then
  kill -STOP $monitor
  # One message an argument; the receiver stops at the first refusal, once the pool is full.
  receiver send 14:0 $(tr -d ' ' <ccs.txt) >/dev/null 2>&1
  kill -CONT $monitor
  sleep 1
  receiver send 14:0 "C0 05"
fi
wait_for_lines flood.txt 2
kill -TERM $monitor && wait $monitor
title="a flood the monitor cannot follow: one line with the number lost, then it goes on"
if sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' flood.txt | awk -v port="$through0" '
    NR == 1 && /^\[T\] <Lost> [0-9]+ MIDI events: they arrived faster than they could be read$/ { lost = $3 }
    END {
      printf "  %d events reported lost of 3000 sent\n", lost
      exit !(NR == 2 && lost > 0 && lost <= 3000 && $0 == "[T] " port ": <Status> C0, <Data 1> 05 <Data 2> 00")
    }'; then
  pass "$title"
else
  fail "$title"
  cat flood.txt
fi

# --- faults: the port we send to goes away during a load. (Unloading the module of a port
# we are connected to is refused by the kernel: the module is in use.)
receiver listen - 0 --name Probe -- velmora-cli ports >probe.txt
if grep -q '^out 2: Velmora Receiver:Probe$' probe.txt; then
  receiver listen - 0 --name Probe --drop-after 3 -- velmora-cli load --port 2 --sync full.vmp \
    >gone.txt 2>gone.err
  printf 'X 1\n' >gone.expected
  grep '^X' gone.txt >gone.got
  echo 'MIDI OUT port 2 "Velmora Receiver:Probe": There is no MIDI port with this number.' \
    >>gone.expected
  cat gone.err >>gone.got
  expect "a port removed while open: a clear error on the next send, no crash" \
    gone.expected gone.got
else
  fail "the receiver's own port is listed as out 2"
  cat probe.txt
fi

# The monitor's thru port goes away: each forwarding that fails is reported, the message's
# log line is still written, and the monitor goes on until it is stopped, with a failure
# status.
receiver listen - 300 --name Probe --drop-after 1 -- \
  sh -c 'exec velmora-cli monitor --in 0 --thru 2 >vanish.txt 2>vanish.err' >vanish-probe.txt &
listener=$!
if wait_for_port "In $through0"; then
  receiver send 14:0 "B0 07 64"
  wait_for_lines vanish.txt 2
  receiver send 14:0 "B0 07 65"
  wait_for_lines vanish.err 1
  receiver send 14:0 "B0 07 66"
  wait_for_lines vanish.err 2
fi
kill -TERM "$(pidof velmora-cli)"
wait $listener
{
  sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' vanish.txt
  cat vanish.err
  sed -n 's/^E [0-9.]* //p; /^X/p' vanish-probe.txt
} >vanish.got
{
  printf '[T] %s: <Status> B0, <Data 1> 07 <Data 2> 64\n -->Velmora Receiver:Probe\n' "$through0"
  printf '[T] %s: <Status> B0, <Data 1> 07 <Data 2> %s\n' "$through0" 65 "$through0" 66
  printf 'There is no MIDI port with this number.\n%.0s' 1 2
  printf 'B0 07 64\nX 1\n'
} >vanish.expected
expect "a thru port removed while the monitor runs: each failed forwarding reported, no crash" \
  vanish.expected vanish.got

if reopen_ports 100 >reopen.txt 2>&1; then
  pass "100 openings and closings of a port leak no sequencer port, file or thread"
else
  fail "100 openings and closings of a port leak no sequencer port, file or thread"
fi
sed 's/^/  /' reopen.txt

# --- hot-plug: a module loaded, then unloaded, while "ports --watch" runs; between the two,
# running status written to its raw MIDI device reaches the monitor as whole messages
velmora-cli ports --watch >watch.txt 2>&1 &
watcher=$!
wait_for_lines watch.txt 4
for module in snd-rawmidi snd-seq-midi-event snd-seq-virmidi; do
  insmod /modules/$module.ko
done
insmod /modules/snd-virmidi.ko midi_devs=1
wait_for_lines watch.txt 6

virmidi=$(velmora-cli ports | sed -n 's/^in \([0-9]*\): \(.*VirMIDI.*\)$/\1 \2/p' | head -n 1)
index=${virmidi%% *}
name=${virmidi#* }
velmora-cli monitor --in "$index" >raw.txt 2>&1 &
monitor=$!
if wait_for_port "In $name"; then
  printf '\220\074\177\076\177' >/dev/snd/midiC0D0
fi
wait_for_lines raw.txt 2
kill -TERM $monitor
wait $monitor
sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' raw.txt >raw.got
printf '[T] %s: <Status> 90, <Data 1> %s <Data 2> 7F\n' "$name" 3C "$name" 3E >raw.expected
expect "running status written to a raw MIDI device arrives as whole messages" \
  raw.expected raw.got

rmmod snd-virmidi
wait_for_lines watch.txt 8
sleep 1
kill -TERM $watcher
wait $watcher
echo "exit $?" >>watch.txt
# The list, then what came and went in any order (the kernel announces each direction
# apart). The monitor's own ports, opened meanwhile by another process, are not seen.
{
  head -n 4 watch.txt
  tail -n +5 watch.txt | sort
} >watch.got
{
  cat ports.expected
  printf -- '+ in 2: %s\n+ out 2: %s\n- in 2: %s\n- out 2: %s\nexit 0\n' "$name" "$name" "$name" \
    "$name"
} >watch.expected
expect "ports --watch shows a module's port coming and going, and not another Velmora's" \
  watch.expected watch.got

exit $failed
