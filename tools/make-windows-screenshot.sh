#!/usr/bin/env bash
# Takes the picture of the Windows window for the README: velmora.exe, the release build of the
# mingw preset, under Wine on a virtual desktop, with a preset that chooses both channels'
# models and a guitar, as the Qt window's pictures in docs/ do. The picture is the window's
# client area, once the start-up has sent the whole preset; the window is then closed.
# Usage: tools/make-windows-screenshot.sh [BUILD_FOLDER [PICTURE [DPI]]]
#        (default: build/mingw, docs/velmora-windows.png and 96 dpi; 192 is 200 %)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/mingw}
picture=${2:-docs/velmora-windows.png}
dpi=${3:-96}

fail() {
  echo "make-windows-screenshot: $*" >&2
  exit 1
}
wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64) || fail "install wine64 (Debian package) first"
for tool in x86_64-w64-mingw32-g++-posix Xvfb openbox xdotool wmctrl xwininfo import; do
  command -v "$tool" >/dev/null || fail "$tool is missing (tools/install-deps.sh installs it)"
done

cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" -j2 --target velmora

. tools/xvfb-desktop.sh
work=$(mktemp -d)
export WINEPREFIX="$(cd "$build" && pwd)/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
cleanup() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

mkdir -p "$work/Velmora"
cp "$build/src/winshell/velmora.exe" "$work/Velmora/"
cp -r "$build/src/winshell/images" "$work/Velmora/"
sed 's/$/\r/' >"$work/Velmora/defaut.vmp" <<'PRESET'
[AMP1]
Power=ON
Amp='68 Brit Plexi Variac
Cab=4x12 Green 25's
DRIVE1=384
BASS1=256
MID1=288
TREB1=320
PRES1=224
VOL1=352
[AMP2]
Power=ON
Amp='64 Fn Black Lux
Cab=2x12 Match
DRIVE2=160
BASS2=320
MID2=256
TREB2=352
PRES2=224
VOL2=288
[Variax]
Guitar=2 Telecaster modified
PRESET

VELMORA_SCREEN=2000x1600x24 start_desktop "$work" || fail "no desktop to run on"
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot could not prepare $WINEPREFIX"
"$wine" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null 2>&1 ||
  fail "could not set $dpi dpi"
(cd "$work" && VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=capture.txt \
  exec "$wine" "$work/Velmora/velmora.exe" >"$work/output.txt" 2>&1) &
program=$!
# Channel 2's power is the preset's last message.
wait_for 600 grep -q ' B0 70 ' "$work/capture.txt" 2>/dev/null ||
  fail "the start-up did not end: $(cat "$work/output.txt")"
sleep 1
window=$(xdotool search --onlyvisible --name '^Velmora 1\.01') || fail "no window"
window=${window%%$'\n'*}
# The window's own X window is its client area; openbox draws the frame around it.
geometry=$(xwininfo -id "$window")
field() { sed -n "s/.*$1: *//p" <<<"$geometry"; }
import -window root -crop "$(field Width)x$(field Height)+$(field 'Absolute upper-left X')+$(field 'Absolute upper-left Y')" \
  +repage "$picture" || fail "no screenshot could be taken"
wmctrl -i -c "$window"
wait "$program" || fail "velmora.exe ended with status $?"
echo "Made $picture ($(field Width) x $(field Height))"
