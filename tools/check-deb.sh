#!/usr/bin/env bash
# Installs the package made by tools/make-deb.sh with apt-get, as a user would, checks the
# installed programs, file type and window, then purges it and checks that none of its files
# is left. Changes the system: run as root on a machine that may have Velmora installed and
# removed (CI's).
# Usage: tools/check-deb.sh [PACKAGE]
set -euo pipefail
cd "$(dirname "$0")/.."
version=$(sed -n 's/^project(Velmora VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
package=${1:-build/deb/velmora_$version-1_$(dpkg --print-architecture).deb}

. tools/xvfb-desktop.sh
. tools/opened-file.sh
work=$(mktemp -d)
editor=
installed=
cleanup() {
  [ -z "$editor" ] || kill "$editor" 2>/dev/null || true
  # A failed check leaves the machine as it found it.
  [ -z "$installed" ] || apt-get purge -y velmora >/dev/null 2>&1 || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "Package check failed: $*" >&2
  exit 1
}

export DEBIAN_FRONTEND=noninteractive
apt-get install -y --no-install-recommends "./$package" >"$work/apt.txt" 2>&1 ||
  fail "apt-get install: $(cat "$work/apt.txt")"
installed=yes
dpkg-query -L velmora | while IFS= read -r path; do [ -d "$path" ] || echo "$path"; done \
  >"$work/files.txt"

[ "$(/usr/bin/velmora-cli --version)" = "Velmora $version" ] || fail "velmora-cli --version"
# No display is needed to answer.
[ "$(env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/velmora --version)" = "Velmora $version" ] ||
  fail "velmora --version"
echo x >"$work/some.vmp"
type=$(xdg-mime query filetype "$work/some.vmp")
[ "$type" = application/x-velmora-preset ] || fail "xdg-mime gives $type for some.vmp"

# The installed window for a user without any settings yet, given a preset to open.
write_opened_file "$work/rig.vmp"
capture=$work/capture.txt
home=$work/home
mkdir -p "$home"
start_desktop "$work" || fail "no desktop for the window"
title="Velmora $version -  Variax + Vetta II"
(cd "$work" && exec env -u XDG_CONFIG_HOME HOME="$home" VELMORA_MIDI=virtual \
  VELMORA_MIDI_CAPTURE="$capture" /usr/bin/velmora rig.vmp >"$work/editor.txt" 2>&1) &
editor=$!
wait_for 300 eval 'xdotool search --onlyvisible --name "^Velmora" >/dev/null' ||
  fail "the installed editor showed no window: $(cat "$work/editor.txt")"
window=$(xdotool search --onlyvisible --name "^Velmora" | head -n 1)
[ "$(xdotool getwindowname "$window")" = "$title" ] ||
  fail "the window's title is $(xdotool getwindowname "$window")"
wait_for 300 eval '[ -s "$home/.config/velmora/config.ini" ] && [ -s "$home/.config/velmora/defaut.vmp" ]' ||
  fail "no config.ini and defaut.vmp in ~/.config/velmora: $(ls -A "$home/.config/velmora" 2>&1)"
lines() { [ -f "$capture" ] && [ "$(wc -l <"$capture")" -ge "$1" ]; }
wait_for 900 lines "$opened_file_lines" ||
  fail "the given file was not loaded after the start-up: $(cat "$capture" 2>/dev/null)"
sleep 0.5
[ "$(wire_after_startup "$capture")" = "$(opened_file_wire)" ] ||
  fail "the given file's load sent: $(wire_after_startup "$capture")"
wmctrl -i -c "$window"
wait_for 300 bash -c "! kill -0 $editor 2>/dev/null" || fail "the installed editor did not close"
status=0
wait "$editor" || status=$?
editor=
[ "$status" -eq 0 ] || fail "the installed editor ended with status $status"
echo "Checked the installed package: both programs' version, the .vmp type, the window \"$title\", its two files and a file given to it."

apt-get purge -y velmora >"$work/apt.txt" 2>&1 || fail "apt-get purge: $(cat "$work/apt.txt")"
installed=
left=$(while IFS= read -r path; do [ ! -e "$path" ] || echo "$path"; done <"$work/files.txt")
[ -z "$left" ] || fail "the purge left: $left"
type=$(xdg-mime query filetype "$work/some.vmp")
[ "$type" != application/x-velmora-preset ] || fail "the .vmp type outlived the purge"
echo "Checked the purge: none of the package's $(wc -l <"$work/files.txt") files is left."
