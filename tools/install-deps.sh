#!/usr/bin/env bash
# Installs every package needed to build, test and benchmark Velmora on Debian 12.
# Safe to run again: apt-get skips what is already installed.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  libasound2-dev libjpeg62-turbo-dev
  clang-format
  g++-mingw-w64-x86-64 wine64
  clang libclang-rt-14-dev
  qt6-base-dev
  xvfb openbox xdotool wmctrl imagemagick x11-utils libsm-dev libice-dev
  jackd2 libjack-jackd2-dev
  qemu-system-x86 linux-image-amd64 busybox-static alsa-utils cpio
  nlohmann-json3-dev libglib2.0-dev
  weston qt6-wayland
  nsis lintian appstream desktop-file-utils shared-mime-info xdg-utils dpkg-dev fakeroot
  libfile-mimeinfo-perl
  at-spi2-core python3-pyatspi dbus-bin
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi
