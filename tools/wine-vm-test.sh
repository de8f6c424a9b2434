#!/usr/bin/env bash
# Runs the Windows build's MIDI backend against a real kernel sequencer: boots this machine's
# Debian kernel under QEMU (software emulation) with the sequencer modules, mounts this
# machine's root read-only over 9p, and chrooted there runs tests/wine-vm/checks.sh, where
# wine64 runs velmora-cli.exe and Wine's winmm reaches the sequencer through its ALSA driver.
# The result comes back on the serial console.
#
#   tools/wine-vm-test.sh RECEIVER [VELMORA_CLI_EXE [VELMORA_EXE]]
#
# RECEIVER is the Linux program of tests/alsa-vm/receiver.cpp. Without the programs named,
# velmora-cli.exe and velmora.exe are built (or brought up to date) with the mingw preset in
# build/mingw. With VELMORA_WINE_VM_WINDOW=1, the window's first start is checked too, where
# velmora.exe is given or built and the host has Xvfb, openbox and wmctrl: one more Wine
# start, with a screen, which the emulated CPU makes long.
# Exit status: 0 passed, 1 failed, 77 skipped (no QEMU, kernel, modules, MinGW or wine64, or
# VELMORA_WINE_VM=0: the run takes 6 or 7 minutes on a busy machine).
# VELMORA_WINE_VM_KEEP=1 keeps the work folder (the initramfs and the whole console log).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
source "$root/tools/vm-initramfs.sh"

if [ $# -lt 1 ] || [ $# -gt 3 ]; then
  echo "usage: tools/wine-vm-test.sh RECEIVER [VELMORA_CLI_EXE [VELMORA_EXE]]" >&2
  exit 2
fi
receiver=$1
[ "${VELMORA_WINE_VM:-}" != 0 ] || vm_skip "VELMORA_WINE_VM=0 leaves it out"
[ -x "$receiver" ] || { echo "wine-vm-test: $receiver is not a built program" >&2; exit 2; }

[ -x /usr/lib/wine/wine64 ] || vm_skip "/usr/lib/wine/wine64 not found (Debian: apt-get install wine64)"
vm_find_kernel

if [ $# -ge 2 ]; then
  exe=$2
  window=${3:-}
else
  command -v x86_64-w64-mingw32-g++-posix >/dev/null ||
    vm_skip "MinGW not found to build velmora-cli.exe (Debian: apt-get install g++-mingw-w64-x86-64)"
  # The mingw build that tools/cross-build-windows.sh makes, so neither builds it twice.
  (cd "$root" && { [ -f build/mingw/build.ninja ] || cmake --preset mingw >/dev/null; } &&
    cmake --build build/mingw --target velmora-cli ${VELMORA_WINE_VM_WINDOW:+velmora} >/dev/null)
  exe=$root/build/mingw/src/cli/velmora-cli.exe
  window=$root/build/mingw/src/winshell/velmora.exe
fi
[ -n "${VELMORA_WINE_VM_WINDOW:-}" ] || window=
[ -f "$exe" ] || { echo "wine-vm-test: $exe is not a built program" >&2; exit 2; }
for tool in Xvfb openbox wmctrl; do
  command -v "$tool" >/dev/null || {
    [ -z "$window" ] || echo "wine-vm-test: no $tool here, so the window's start-up is not checked"
    window=
  }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine-vm.XXXXXX")
if [ -n "${VELMORA_WINE_VM_KEEP:-}" ]; then
  echo "wine-vm-test: work folder $work"
else
  trap 'rm -rf "$work"' EXIT
fi
vm_start_initramfs
# Wine's prefix is made here at native speed (under a minute, where the emulated CPU takes
# six or seven), and the machine lays a tmpfs over it, since Wine writes to it.
started=$(date +%s)
export WINEPREFIX=$work/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
/usr/lib/wine/wine64 wineboot --init >"$work/wineboot.txt" 2>&1 ||
  { echo "wine-vm-test: wineboot failed here:" >&2; tail -n 20 "$work/wineboot.txt" >&2; exit 1; }
/usr/lib/wine/wineserver -w
unset WINEPREFIX WINEDEBUG WINEDLLOVERRIDES
echo "wine-vm-test: Wine's prefix made here in $(($(date +%s) - started)) s"
# In load order: the host's files over 9p, the overlay for Wine's prefix, then the sequencer
# with its Midi Through port.
modules="virtio_ring virtio virtio_pci_modern_dev virtio_pci_legacy_dev virtio_pci netfs fscache
         9pnet 9pnet_virtio 9p overlay soundcore snd snd-timer snd-seq-device snd-seq
         snd-seq-dummy"
vm_add_modules $modules
echo $modules >"$fs/modules/order"
realpath "$work/prefix" >"$fs/prefix-path"

# What the checks use goes in with the initramfs: inside, the host's /tmp (where this work
# folder or even the checkout may lie) is covered by the machine's own tmpfs.
mkdir -p "$fs/velmora"
cp "$receiver" "$fs/velmora/receiver"
cp "$exe" "$fs/velmora/velmora-cli.exe"
cp "$root/tests/wine-vm/checks.sh" "$root/tests/alsa-vm/check-report.sh" \
  "$root/tests/alsa-vm/preset-pauses.awk" "$root/tests/alsa-vm/full-preset-sync.expected" \
  "$fs/velmora/"
if [ -n "$window" ]; then
  cp "$window" "$fs/velmora/velmora.exe"
  cp "$root/tests/wine-vm/window-startup.sh" "$root/tools/xvfb-desktop.sh" "$fs/velmora/"
fi

cat >"$fs/init" <<'INIT'
#!/bin/sh
export PATH=/bin
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
for module in $(cat /modules/order); do
  insmod /modules/$module.ko
done
mkdir /host
# Cached: every Wine start maps the same libraries, and the host's files do not change
# while the machine runs.
mount -t 9p -o trans=virtio,version=9p2000.L,ro,cache=loose host /host
mount -t proc proc /host/proc
mount -t sysfs sysfs /host/sys
mount -o bind /dev /host/dev
# The prefix may lie in the host's /tmp, which the machine's tmpfs covers next.
mkdir /prefix
mount -o bind "/host$(cat /prefix-path)" /prefix
mount -t tmpfs tmpfs /host/tmp
mkdir -p /host/tmp/wineprefix /host/tmp/prefix-changes/upper /host/tmp/prefix-changes/work
mount -t overlay overlay -o lowerdir=/prefix,upperdir=/host/tmp/prefix-changes/upper,workdir=/host/tmp/prefix-changes/work /host/tmp/wineprefix
cp -r /velmora /host/tmp/velmora
echo "VELMORA-WINE-VM-BEGIN"
chroot /host /bin/sh /tmp/velmora/checks.sh
echo "VELMORA-WINE-VM-RESULT=$?"
poweroff -f
INIT
chmod +x "$fs/init"
vm_pack_initramfs
# No SMAP: with it, the emulated CPU faults Wine's return to user mode (iretq).
vm_boot 1500 VELMORA-WINE-VM -cpu max,smap=off -m 1536 \
  -virtfs local,path=/,mount_tag=host,security_model=none,readonly=on,multidevs=remap
