#!/bin/sh
# Runs inside the Wine VM, chrooted into the host's files, from the machine's own /tmp:
# velmora-cli.exe under wine64 against the kernel's Midi Through port (client 14, port 0),
# reached through Wine's winmm and its ALSA driver. Prints a PASS or FAIL line per check,
# with what differed, and the figures measured; exit status 1 when a check failed.
#
# A Wine start takes long on the emulated CPU, so each Wine run serves several checks, and
# the Wine server stays up between them. Wine writes to files only: on the serial console
# it would put terminal escapes between the characters.

export PATH=/usr/local/bin:/usr/bin:/bin:/usr/sbin:/sbin
# The MIDI driver's trace and the faults go to each run's error file: they tell a fault of
# Wine's exit from one of ours.
export HOME=/tmp WINEPREFIX=/tmp/wineprefix WINEDEBUG=err+all,+seh,+midi WINEDLLOVERRIDES="mscoree,mshtml="
here=/tmp/velmora
mkdir -p /tmp/checks && cd /tmp/checks || exit 1

. "$here/check-report.sh"

cli() { /usr/lib/wine/wine64 "$here/velmora-cli.exe" "$@"; }
receiver() { "$here/receiver" "$@"; }
seconds_since() { echo $(($(date +%s) - $1)); }
# What a program wrote, in Unix line ends, without Wine's debug lines (a trace may go on in
# lines that start with a tab) and those of its sound half looking for a sound card.
said() { tr -d '\r' <"$1" | grep -v -e '^ALSA lib ' -e '^[0-9a-f]*:[a-z]*:' -e "^$(printf '\t')"; }

# ended STATUS ERROR_FILE: whether a Wine run ended well. Wine 8.0 in this machine now and
# then faults in a second thread during the process's exit, after the program has closed its
# ports (a fault inside a system call), and the process dies of SIGSEGV. That comes after
# the program's last step, so it is reported, not counted; any other status fails.
ended() {
  [ "$1" = 0 ] && return 0
  if [ "$1" = 139 ] && sed -n '/midi_\(out\|in\)_close/,$p' "$2" | grep -q handle_syscall_fault
  then
    echo "  note: Wine faulted in its exit, after the ports were closed (status 139)" >&2
    return 0
  fi
  return 1
}

# Waits up to 5 min (a Wine start on a busy host) for a sequencer client whose text holds $1.
wait_for_client() {
  tries=0
  while ! grep -q "$1" /proc/asound/seq/clients; do
    tries=$((tries + 1))
    [ $tries -lt 3000 ] || return 1
    sleep 0.1
  done
  sleep 1
}

through="Midi Through Port-0"
sysex=$(awk 'BEGIN { printf "F0"; for (i = 0; i < 998; i++) printf " %02X", i % 128; printf " F7" }')
printf '[AMP1]\r\nPower=ON\r\nAmp=%s\r\nCab=4x12 Line6\r\nDRIVE1=508\r\nBASS1=300\r\nMID1=256\r\n' \
  "'65 Brit Plexi J-45" >full.vmp
printf 'TREB1=200\r\nPRES1=100\r\nVOL1=400\r\n[AMP2]\r\nPower=ON\r\nAmp=Line6 Class A\r\n' >>full.vmp
printf 'Cab=1x12 Class A\r\nDRIVE2=12\r\nBASS2=44\r\nMID2=256\r\nTREB2=480\r\nPRES2=511\r\n' >>full.vmp
printf 'VOL2=0\r\n[Variax]\r\nGuitar=2 Telecaster modified\r\n' >>full.vmp

# --- the first Wine start, in the prefix made outside; the server then stays for the
# other runs
started=$(date +%s)
/usr/lib/wine/wineserver -p
/usr/lib/wine/wine64 wineboot --init >wineboot.txt 2>&1
echo "  Wine's first start: $(seconds_since "$started") s"
started=$(date +%s)
receiver listen - 0 --name Probe -- sh -c 'exec "$0" "$1" ports >ports.txt 2>ports.err' \
  /usr/lib/wine/wine64 "$here/velmora-cli.exe" >/dev/null 2>&1
echo "  a later Wine start, velmora-cli.exe ports: $(seconds_since "$started") s"
said ports.txt >ports.got
# Wine lists application ports before those of devices, named with their client.
printf 'out 0: Velmora Receiver - Probe\nout 1: %s\nin 0: %s\n' "$through" "$through" \
  >ports.expected
expect "ports lists the sequencer's ports, Midi Through among them as out 1 and in 0" \
  ports.expected ports.got

# --- output: each message arrives as itself; the pad 00 after the guitar's text is dropped
started=$(date +%s)
guitar="F0 00 01 0C 03 07 0D 02 00 00 00 00 09 F7"
receiver listen 14:0 300 -- sh -c 'exec "$0" "$1" send "B0 0C 31" "C0 0E 00" "$2 00" "$3" \
  >send.out 2>send.err' /usr/lib/wine/wine64 "$here/velmora-cli.exe" "$guitar" "$sysex" >send.txt
echo "  a later Wine start with its send: $(seconds_since "$started") s"
events send.txt >send.got
head -n 3 send.got >short.got
printf 'B0 0C 31\nC0 0E\n%s\n' "$guitar" >short.expected
expect "a Control Change, a Program Change and a SysEx each arrive as themselves" \
  short.expected short.got
tail -n +4 send.got >long.got
echo "$sysex" >long.expected
expect "a SysEx of 1000 bytes arrives whole, as one event" long.expected long.got
ended "$(exit_status send.txt)" send.err && [ -z "$(said send.out; said send.err)" ] || {
  fail "send ends with status 0 and says nothing"
  echo "  exit status $(exit_status send.txt)"
  said send.out
  tail -n 20 send.err
}

# --- a whole preset load and synchronise, its pauses measured at the receiver
receiver listen 14:0 300 -- sh -c 'exec "$0" "$1" load --sync full.vmp >load.out 2>load.err' \
  /usr/lib/wine/wine64 "$here/velmora-cli.exe" >load.txt
# Each expected line: the pauses of 500 ms before the message, then its bytes. A pause may
# be short by at most 20 ms: the amp needs the whole of it. Lateness is the emulated CPU's
# (a busy host stalls the whole machine for seconds now and then), so it is shown, and
# only bounded at 5 s.
title="load --sync of a full preset arrives byte for byte, no pause of 500 ms short"
if ended "$(exit_status load.txt)" load.err && [ -z "$(said load.out; said load.err)" ] &&
  awk -v latest=5000 -f "$here/preset-pauses.awk" "$here/full-preset-sync.expected" load.txt; then
  pass "$title"
else
  fail "$title"
  echo "  exit status $(exit_status load.txt); the end of what it said:"
  said load.out
  tail -n 30 load.err
fi

# --- input: the monitor through winmm's input, a SysEx sent in pieces
cli monitor --in 0 --seconds 20 >monitor.txt 2>monitor.err &
monitor=$!
if wait_for_client "Connected From: .*14:0\|WINE ALSA Input\|Input"; then
  receiver send 14:0 "B0 07 64" "FE"
  receiver send 14:0 --pieces 256 "$sysex"
  receiver send 14:0 "C0 05"
else
  echo "  no Wine input port seen:"
  cat /proc/asound/seq/clients
fi
wait $monitor
status=$?
said monitor.txt | sed 's/^\[[0-2][0-9]:[0-5][0-9]:[0-5][0-9]\.[0-9][0-9][0-9]\] /[T] /' >monitor.got
if ended $status monitor.err; then
  status=0
  said monitor.err | grep -v '^Segmentation fault$'
else
  said monitor.err
fi >>monitor.got
echo "exit $status" >>monitor.got
{
  printf '[T] %s: <Status> B0, <Data 1> 07 <Data 2> 64\n' "$through"
  printf '[T] %s: <Bytes> 1000 <SysEx> %s \n' "$through" "$sysex"
  printf '[T] %s: <Status> C0, <Data 1> 05 <Data 2> 00\n' "$through"
  echo "exit 0"
} >monitor.expected
expect "monitor --in 0 logs what arrives through winmm's input, a SysEx whole" \
  monitor.expected monitor.got

# --- a port that goes away during a load: no crash, and the load goes on to its end. Wine's
# driver reports no error for a port that has gone (it drops what the sequencer refuses),
# so there is no error to show; a driver that reports one gets the device layer's text.
receiver listen - 0 --name Probe --drop-after 3 -- sh -c 'exec "$0" "$1" load --port 0 --sync \
  full.vmp >gone.out 2>gone.err' /usr/lib/wine/wine64 "$here/velmora-cli.exe" >gone.txt
events gone.txt >gone.got
ended "$(exit_status gone.txt)" gone.err && echo "exit 0" >>gone.got
said gone.out >>gone.got
said gone.err >>gone.got
{
  head -n 3 "$here/full-preset-sync.expected" | cut -d' ' -f2-
  echo "exit 0"
} >gone.expected
expect "a port removed during a load: what came before it arrived, no crash" gone.expected \
  gone.got
[ -s gone.got ] || tail -n 20 gone.err

# --- the window's start-up on the real port, where the window was built and a screen can
# be had: the messages of the Windows window test's capture, its pad bytes dropped, with
# the pauses before the same messages
if [ -f "$here/velmora.exe" ]; then
  receiver listen 14:0 300 -- "$here/window-startup.sh" window.txt window.out >window.txt
  events window.txt >window.got
  cat >window.expected <<'WIRE'
C0 0E
C0 00
B0 0C 31
B0 0D 00
B0 0E 00
B0 0F 00
B0 10 00
B0 15 00
B0 11 00
F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7
F0 00 01 0C 03 07 0D 00 00 00 00 00 00 F7
B0 0D 40
B0 0E 40
B0 0F 40
B0 10 40
B0 15 40
B0 11 40
B0 5B 31
B0 5C 00
B0 5D 00
B0 5E 00
B0 5F 00
B0 66 00
B0 67 00
F0 00 01 0C 03 07 0D 00 02 00 00 00 00 F7
B0 5C 40
B0 5D 40
B0 5E 40
B0 5F 40
B0 66 40
B0 67 40
B0 6F 7F
B0 70 00
WIRE
  awk '$1 == "E" { if (++n > 1 && $2 - t >= 450) printf "%d:", n; t = $2 } END { print "" }' \
    window.txt >>window.got
  echo "3:10:12:18:25:26:32:33:" >>window.expected
  expect "the window's first start sends its start-up, pauses included, and closes cleanly" \
    window.expected window.got
  [ "$(exit_status window.txt)" = 0 ] || {
    fail "velmora.exe ends with status 0 through its close box"
    said window.out | tail -n 20
  }
fi

/usr/lib/wine/wineserver -k >/dev/null 2>&1
exit $failed
