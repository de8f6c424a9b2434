#!/usr/bin/env bash
# Runs the ALSA backend against a real kernel sequencer: boots this machine's Debian kernel
# under QEMU (software emulation) from an initramfs holding busybox, the kernel's sequencer
# modules, our programs and tests/alsa-vm/checks.sh, which runs inside; its result comes
# back on the serial console.
#
#   tools/alsa-vm-test.sh VELMORA_CLI RECEIVER REOPEN_PORTS SEND_LATENCY
#
# Exit status: 0 passed, 1 failed, 77 skipped (no QEMU, kernel or busybox here).
# VELMORA_ALSA_VM_KEEP=1 keeps the work folder (the initramfs and the whole console log).
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
checks=$root/tests/alsa-vm

source "$root/tools/vm-initramfs.sh"

if [ $# -ne 4 ]; then
  echo "usage: tools/alsa-vm-test.sh VELMORA_CLI RECEIVER REOPEN_PORTS SEND_LATENCY" >&2
  exit 2
fi
for program in "$@"; do
  [ -x "$program" ] || { echo "alsa-vm-test: $program is not a built program" >&2; exit 2; }
done
vm_find_kernel

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-alsa-vm.XXXXXX")
if [ -n "${VELMORA_ALSA_VM_KEEP:-}" ]; then
  echo "alsa-vm-test: work folder $work"
else
  trap 'rm -rf "$work"' EXIT
fi
vm_start_initramfs
mkdir -p "$fs"/{velmora,usr/share}

# In load order; the last four are loaded by the hot-plug check while a program runs.
vm_add_modules soundcore snd snd-timer snd-seq-device snd-seq snd-seq-dummy snd-rawmidi \
  snd-seq-midi-event snd-seq-virmidi snd-virmidi

cp -r /usr/share/alsa "$fs/usr/share/"
vm_add_program "$1" "$fs/velmora/velmora-cli"
vm_add_program "$2" "$fs/velmora/receiver"
vm_add_program "$3" "$fs/velmora/reopen_ports"
vm_add_program "$4" "$fs/velmora/send_latency"
aseqdump=$(command -v aseqdump || true)
[ -n "$aseqdump" ] || skip "aseqdump not found (Debian: apt-get install alsa-utils)"
vm_add_program "$aseqdump" "$fs/velmora/aseqdump"
cp "$checks/checks.sh" "$checks/check-report.sh" "$checks/preset-pauses.awk" \
  "$checks/full-preset-sync.expected" "$fs/velmora/"

cat >"$fs/init" <<'EOF'
#!/bin/sh
export PATH=/velmora:/bin HOME=/tmp
mount -t proc proc /proc
mount -t sysfs sysfs /sys
mount -t devtmpfs devtmpfs /dev
mount -t tmpfs tmpfs /tmp
for module in soundcore snd snd-timer snd-seq-device snd-seq; do
  insmod /modules/$module.ko
done
# Two through ports, so that a thru check does not feed its own input.
insmod /modules/snd-seq-dummy.ko ports=2
echo "VELMORA-ALSA-VM-BEGIN"
cd /tmp && sh /velmora/checks.sh
echo "VELMORA-ALSA-VM-RESULT=$?"
poweroff -f
EOF
chmod +x "$fs/init"
vm_pack_initramfs
vm_boot 240 VELMORA-ALSA-VM -cpu max -m 512
