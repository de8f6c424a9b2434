#!/bin/bash
# Run by checks.sh inside the Wine VM, under a receiver on Midi Through: velmora.exe started
# for the first time on a screen of the machine's own (Xvfb and openbox from the host's
# files), closed through the window manager once the receiver ($1, its output) has seen the
# 33 messages of the start-up. What the program said goes to $2.
set -u
exec >>"$2" 2>&1
. /tmp/velmora/xvfb-desktop.sh
mkdir -p /tmp/desktop /tmp/app/images/Guitares
cp /tmp/velmora/velmora.exe /tmp/app/
start_desktop /tmp/desktop || exit 1
(cd /tmp/app && exec /usr/lib/wine/wine64 /tmp/app/velmora.exe) &
program=$!
seen() { [ "$(grep -c '^E' "$1")" -ge 33 ]; }
wait_for 3000 seen "$1"
sleep 1
wait_for 600 eval 'wmctrl -l | grep -q Velmora'
wmctrl -c Velmora
wait_for 600 eval "! kill -0 $program 2>/dev/null"
wait $program
status=$?
stop_desktop
exit $status
