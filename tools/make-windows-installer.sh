#!/usr/bin/env bash
# Makes build/windows-installer/velmora-<version>-setup.exe with Debian's NSIS: the zip's two
# programs and pictures, installed per user. Then checks it under Wine in a fresh prefix, as
# a player would use it: a silent install (files, Start-menu shortcut, registry keys), the
# installed editor keeping its settings in %APPDATA%\Velmora, a .vmp opened through its
# association and loaded, and a silent uninstall that leaves the settings.
# Usage: tools/make-windows-installer.sh [BUILD_FOLDER [OUTPUT_FOLDER]]
#        (default: build/mingw, the mingw preset's folder, and build/windows-installer)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)

if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v makensis >/dev/null; then
  echo "Windows installer skipped: install g++-mingw-w64-x86-64 and nsis (Debian packages)."
  exit 0
fi
version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
build=${1:-build/mingw}
out=${2:-build/windows-installer}
setup=$out/velmora-$version-setup.exe
cmake --preset mingw -B "$build" >/dev/null
cmake --build "$build" -j2 --target velmora velmora-cli

files=$out/files
rm -rf "$files" "$setup"
mkdir -p "$files/images"
cp "$build/src/winshell/velmora.exe" "$build/src/cli/velmora-cli.exe" "$files/"
cp -r images/Guitares "$files/images/"
makensis -V2 -DVERSION="$version" -DFILES="$root/$files" -DOUTFILE="$root/$setup" \
  -DICON="$root/packaging/icons/velmora.ico" packaging/windows/velmora.nsi
echo "Made $setup"

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || true)
for tool in "$wine" Xvfb openbox wmctrl; do
  if [ -z "$tool" ] || ! command -v "$tool" >/dev/null; then
    echo "Installer check under Wine skipped: install wine64, xvfb, openbox and wmctrl."
    exit 0
  fi
done
wineserver=$(dirname "$wine")/wineserver

. tools/xvfb-desktop.sh
. tools/opened-file.sh
work=$(mktemp -d)
editor=
cleanup() {
  [ -z "$editor" ] || kill "$editor" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "Windows installer check failed: $*" >&2
  exit 1
}
export WINEPREFIX=$work/prefix WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
start_desktop "$work" || fail "no virtual desktop"
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot could not prepare $WINEPREFIX"

user_folder=$WINEPREFIX/drive_c/users/$(id -un)
programs="$user_folder/AppData/Local/Programs/Velmora"
settings="$user_folder/AppData/Roaming/Velmora"
shortcut="$user_folder/AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Velmora.lnk"
# The registry value "$2" of key "$1" ("" for the default value), or nothing when missing.
value() {
  local name=(/v "$2")
  [ -n "$2" ] || name=(/ve)
  "$wine" reg query "$1" "${name[@]}" 2>/dev/null | tr -d '\r' |
    sed -n 's/^ *[^ ].*REG_[A-Z_]* *//p'
}
classes='HKCU\Software\Classes'
uninstall='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora'
install_dir='C:\users\'"$(id -un)"'\AppData\Local\Programs\Velmora'

"$wine" "$root/$setup" /S || fail "the silent install exited with $?"
listing=$(cd "$programs" && find . -type f | LC_ALL=C sort)
expected=$( (cd "$files" && find . -type f; echo ./Uninstall.exe) | LC_ALL=C sort)
[ "$listing" = "$expected" ] || fail "installed files: $listing"
cmp -s "$programs/velmora.exe" "$files/velmora.exe" || fail "velmora.exe differs from the build"
[ -s "$shortcut" ] || fail "no Start-menu shortcut"
[ "$(value "$classes\\.vmp" "")" = Velmora.Preset ] || fail ".vmp is not associated"
[ "$(value "$classes\\Velmora.Preset\\DefaultIcon" "")" = "$install_dir\\velmora.exe,0" ] ||
  fail "the .vmp icon is $(value "$classes\\Velmora.Preset\\DefaultIcon" "")"
[ "$(value "$uninstall" UninstallString)" = "\"$install_dir\\Uninstall.exe\"" ] ||
  fail "the uninstaller is not listed: $(value "$uninstall" UninstallString)"
[ "$(value "$uninstall" DisplayVersion)" = "$version" ] || fail "the listed version is not $version"
# Both programs answer without a window or a port.
for program in velmora.exe velmora-cli.exe; do
  answer=$("$wine" "$programs/$program" --version | tr -d '\r') || fail "$program --version exited with $?"
  [ "$answer" = "Velmora $version" ] || fail "$program --version said: $answer"
done
echo "Checked under Wine: the silent install's files, shortcut, association and uninstall entry, and both programs' --version."

# The installed editor, opened on a preset as Explorer opens it, with the command the
# association registered (Wine 8's ShellExecute reads only the machine's classes, not the
# user's, which Windows merges in): its settings go to %APPDATA%\Velmora, and after the
# start-up it loads the file as Open does.
write_opened_file "$work/rig.vmp"
"$wineserver" -k 2>/dev/null || true
capture=$work/capture.txt
opener=$(value "$classes\\Velmora.Preset\\shell\\open\\command" "")
[ "$opener" = "\"$install_dir\\velmora.exe\" \"%1\"" ] || fail "the .vmp opener is $opener"
VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="Z:$capture" "$wine" "$install_dir\\velmora.exe" \
  "Z:${work//\//\\}\\rig.vmp" >"$work/editor.txt" 2>&1 &
editor=$!
lines() { [ -f "$capture" ] && [ "$(wc -l <"$capture")" -ge "$1" ]; }
wait_for 900 lines "$opened_file_lines" ||
  fail "the opened file was not loaded after the start-up: $(cat "$capture" 2>/dev/null)"
sleep 0.5
[ "$(wire_after_startup "$capture")" = "$(opened_file_wire)" ] ||
  fail "the file's load sent: $(wire_after_startup "$capture")"
[ -s "$settings/config.ini" ] && [ -s "$settings/defaut.vmp" ] ||
  fail "no config.ini and defaut.vmp in %APPDATA%\\Velmora: $(ls -A "$settings" 2>&1)"
[ ! -e "$programs/config.ini" ] || fail "the installed copy wrote config.ini beside itself"
wmctrl -c "Velmora $version -  Variax + Vetta II"
wait_for 300 bash -c "! kill -0 $editor 2>/dev/null" || fail "the installed editor did not close"
editor=
echo "Checked under Wine: the installed editor keeps its files in %APPDATA%\\Velmora and loads a .vmp opened with the association's command."

"$wineserver" -w
"$wine" "$programs/Uninstall.exe" /S || fail "the silent uninstall exited with $?"
# The uninstaller copies itself away and runs from there: wait for it to end.
"$wineserver" -w
[ ! -e "$programs" ] || fail "the uninstall left $(cd "$programs" && find .)"
[ ! -e "$shortcut" ] || fail "the uninstall left the shortcut"
for key in "$classes\\.vmp" "$classes\\Velmora.Preset" "$uninstall"; do
  ! "$wine" reg query "$key" >/dev/null 2>&1 || fail "the uninstall left $key"
done
[ -s "$settings/config.ini" ] && [ -s "$settings/defaut.vmp" ] || fail "the uninstall took the settings"
echo "Checked under Wine: the silent uninstall removes the programs and keys and keeps %APPDATA%\\Velmora."
