#!/usr/bin/env bash
# Makes build/windows-zip/velmora-<version>-windows.zip: the editor velmora.exe and the
# command line velmora-cli.exe (release, static), the guitar pictures and a README, as a
# portable folder. config.ini and the default preset are made beside the programs at their
# first start. Then checks the zip under Wine, unpacked into a fresh folder as a user would,
# the window on a virtual desktop. Skips, saying why, where MinGW or wine64 is missing.
# Usage: tools/make-windows-zip.sh [BUILD_FOLDER [OUTPUT_FOLDER]]
#        (default: build/mingw, the mingw preset's folder, and build/windows-zip)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || true)
if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null; then
  echo "Windows zip skipped: install g++-mingw-w64-x86-64 (Debian package) to build it."
  exit 0
fi

version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
name="velmora-$version-windows"
build=${1:-build/mingw}
out=${2:-build/windows-zip}
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" -j2 --target velmora velmora-cli

rm -rf "${out:?}/$name" "$out/$name.zip"
mkdir -p "$out/$name/images"
cp "$build/src/winshell/velmora.exe" "$build/src/cli/velmora-cli.exe" "$out/$name/"
cp -r images/Guitares "$out/$name/images/"
sed 's/$/\r/' >"$out/$name/README.txt" <<TEXT
Velmora $version - Variax + Vetta II editor for Windows

Unpack this folder anywhere and start velmora.exe. Choose the port cabled to the amplifier
under MIDI OUT; the guitar's messages go out on the same port. Pick the amp and cab models of
AMP 1 and AMP 2, click a knob to turn it (left: down, right: up), and keep the whole state as a
.vmp preset with Save and Open. On closing, the editor keeps its state in defaut.vmp and its
settings in config.ini, and starts with them the next time.

The folder is portable: config.ini and defaut.vmp are made beside the programs the first time
they are needed, New starts from vide.vmp when there is one beside them, and the guitar
pictures are read from images\\Guitares.

velmora-cli.exe works without a window, from a command prompt in this folder:

  velmora-cli ports                   lists the MIDI ports
  velmora-cli send "B0 0C 31"         sends a message to output port 0
  velmora-cli load PRESET.vmp         sends a preset
  velmora-cli preset USER 3B          recalls one of the amplifier's stored presets
  velmora-cli monitor --in 0          shows what input port 0 receives

Without a MIDI interface, set VELMORA_MIDI=virtual for the built-in virtual ports;
VELMORA_MIDI_CAPTURE=FILE writes what they send to FILE.
TEXT
(cd "$out" && cmake -E tar cf "$name.zip" --format=zip "$name")
echo "Made $out/$name.zip"

if [ -z "$wine" ]; then
  echo "Zip check under Wine skipped: install wine64 (Debian package) to run it."
  exit 0
fi
export WINEPREFIX="$(cd "$out" && pwd)/wineprefix" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
check=$(mktemp -d)
trap 'rm -rf "$check"; "$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
zip="$(cd "$out" && pwd)/$name.zip"
(cd "$check" && cmake -E tar xf "$zip")
cd "$check/$name"
fail() {
  echo "Windows zip check failed: $*" >&2
  exit 1
}
# Wine has no MIDI device: no port listed, and a send is refused with the platform's text.
ports=$(env -u VELMORA_MIDI "$wine" velmora-cli.exe ports) || fail "ports exited with $?"
[ -z "$(printf '%s' "$ports" | tr -d '\r\n')" ] || fail "ports listed: $ports"
status=0
error=$(env -u VELMORA_MIDI "$wine" velmora-cli.exe send "B0 0C 31" 2>&1 >/dev/null) || status=$?
[ "$status" -eq 1 ] || fail "send without a port exited with $status"
case "$(printf '%s' "$error" | tr -d '\r' | head -n1)" in
  "TMidiOutput: Device index out of bounds! (0)") ;;
  *) fail "send without a port said: $error" ;;
esac
VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE=capture.txt "$wine" velmora-cli.exe send "B0 0C 31" ||
  fail "send on the virtual port exited with $?"
tr -d '\r' <capture.txt | grep -Eqx '[0-9]+ 0 B0 0C 31' || fail "capture: $(cat capture.txt)"
echo "Checked under Wine: ports lists none, send without a port is refused, the virtual send is captured."

# The editor as a player starts it from the folder: its window, then its close box, after
# which it has kept its state beside it.
for tool in Xvfb openbox wmctrl; do
  if ! command -v "$tool" >/dev/null; then
    echo "Window check under Wine skipped: install $tool (tools/install-deps.sh installs it)."
    exit 0
  fi
done
. "$root/tools/xvfb-desktop.sh"
trap 'stop_desktop; rm -rf "$check"; "$(dirname "$wine")/wineserver" -k 2>/dev/null || true' EXIT
start_desktop "$check" || fail "no virtual desktop for the window"
# Wine's session of the checks above, still alive for a few seconds, has no display: a window
# opened in it would never be shown.
"$(dirname "$wine")/wineserver" -k 2>/dev/null || true
title="Velmora $version -  Variax + Vetta II"
VELMORA_MIDI=virtual "$wine" velmora.exe >"$check/velmora.txt" 2>&1 &
editor=$!
wait_for 600 eval 'wmctrl -l | grep -q Velmora' || fail "velmora.exe showed no window: $(cat "$check/velmora.txt")"
titles=$(wmctrl -l | sed -E 's/^[^ ]+ +[^ ]+ +[^ ]+ //')
[ "$titles" = "$title" ] || fail "velmora.exe shows windows other than \"$title\": $titles"
wmctrl -c "$title"
wait_for 300 bash -c "! kill -0 $editor 2>/dev/null" || fail "velmora.exe did not end when closed"
status=0
wait "$editor" || status=$?
[ "$status" -eq 0 ] || fail "velmora.exe ended with status $status"
[ -s config.ini ] && [ -s defaut.vmp ] || fail "velmora.exe kept no config.ini and defaut.vmp beside it"
echo "Checked under Wine: velmora.exe shows \"$title\", closes cleanly and keeps its files beside it."
