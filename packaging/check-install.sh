#!/usr/bin/env bash
# Installs a build into a fresh prefix and checks the layout file by file, then starts the
# installed program with a fresh home: it must find its pictures under the prefix and keep
# config.ini and the preset files in ~/.config/velmora, writing nothing beside itself.
# Usage: check-install.sh BUILD_DIR SOURCE_PICTURES_DIR
set -euo pipefail

build=$1
pictures=$2
work=$(mktemp -d)
program_pid=
cleanup() {
  # The program closes as the close box does, writing its files: its folder goes only once it
  # has ended, or it would stop on the error box of a folder that vanished.
  if [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null; then
    for _ in $(seq 100); do
      kill -0 "$program_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill -9 "$program_pid" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" || fail "$(cat "$work/install.log")"

expected() {
  printf '%s\n' bin/velmora bin/velmora-cli share/applications/org.velmora.Velmora.desktop \
    share/metainfo/org.velmora.Velmora.metainfo.xml share/mime/packages/org.velmora.Velmora.xml \
    share/man/man1/velmora.1 share/man/man1/velmora-cli.1 \
    share/bash-completion/completions/velmora-cli
  for size in 64 128 256; do
    echo "share/icons/hicolor/${size}x$size/apps/org.velmora.Velmora.png"
    echo "share/icons/hicolor/${size}x$size/mimetypes/application-x-velmora-preset.png"
  done
  (cd "$pictures" && find . -type f) | sed 's|^\./|share/velmora/images/Guitares/|'
}
layout() { (cd "$prefix" && find . -type f -o -type l) | sed 's|^\./||' | LC_ALL=C sort; }
diff <(expected | LC_ALL=C sort) <(layout) >"$work/layout.diff" ||
  fail "installed files (< missing, > unexpected):"$'\n'"$(cat "$work/layout.diff")"
while IFS= read -r file; do
  cmp -s "$pictures/$file" "$prefix/share/velmora/images/Guitares/$file" || fail "picture $file differs"
done < <(cd "$pictures" && find . -type f)
entry=$prefix/share/applications/org.velmora.Velmora.desktop
grep -qx 'Exec=velmora %f' "$entry" || fail "the desktop entry does not start velmora with the file"
grep -qx 'Icon=org.velmora.Velmora' "$entry" || fail "the desktop entry names another icon"
grep -qx 'MimeType=application/x-velmora-preset;' "$entry" || fail "the desktop entry opens no .vmp"

# A first start of the installed copy for a user who has no configuration folder yet.
home=$work/home
mkdir "$home"
# A runtime folder of the run's own, so that an editor already running elsewhere cannot take
# this start as a second one.
mkdir -m 700 "$work/runtime"
config=$home/.config/velmora
env -u XDG_CONFIG_HOME HOME="$home" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen \
  VELMORA_MIDI=virtual VELMORA_MIDI_CAPTURE="$work/capture.txt" "$prefix/bin/velmora" >"$work/output.txt" 2>&1 &
program_pid=$!
for _ in $(seq 300); do
  [ -s "$config/config.ini" ] && [ -s "$config/defaut.vmp" ] &&
    [ -s "$work/capture.txt" ] && break
  kill -0 "$program_pid" 2>/dev/null || fail "the installed program ended: $(cat "$work/output.txt")"
  sleep 0.1
done
for file in config.ini defaut.vmp; do
  [ -s "$config/$file" ] || fail "no $file in ~/.config/velmora: $(ls -A "$config" 2>&1)"
done
[ -s "$work/capture.txt" ] || fail "the installed program sent nothing: $(cat "$work/output.txt")"
grep -q '^Language=' "$config/config.ini" || fail "config.ini holds no language: $(cat -A "$config/config.ini")"
diff <(expected | LC_ALL=C sort) <(layout) >"$work/layout.diff" ||
  fail "the installed program wrote into its prefix:"$'\n'"$(cat "$work/layout.diff")"
echo "PASSED"
