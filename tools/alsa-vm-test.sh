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

skip() {
  echo "SKIP: $*" >&2
  exit 77
}

if [ $# -ne 4 ]; then
  echo "usage: tools/alsa-vm-test.sh VELMORA_CLI RECEIVER REOPEN_PORTS SEND_LATENCY" >&2
  exit 2
fi
for program in "$@"; do
  [ -x "$program" ] || { echo "alsa-vm-test: $program is not a built program" >&2; exit 2; }
done

command -v qemu-system-x86_64 >/dev/null ||
  skip "qemu-system-x86_64 not found (Debian: apt-get install qemu-system-x86)"
for tool in cpio gzip; do
  command -v "$tool" >/dev/null || skip "$tool not found (Debian: apt-get install $tool)"
done
kernel=$(ls /boot/vmlinuz-* 2>/dev/null | sort -V | tail -n 1 || true)
[ -n "$kernel" ] && [ -r "$kernel" ] ||
  skip "no readable kernel in /boot (Debian: apt-get install linux-image-amd64)"
sound=/lib/modules/${kernel#/boot/vmlinuz-}/kernel/sound
[ -d "$sound" ] || skip "no sound modules in $sound for $kernel"
busybox=$(command -v busybox || true)
[ -n "$busybox" ] || skip "busybox not found (Debian: apt-get install busybox-static)"

work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-alsa-vm.XXXXXX")
if [ -n "${VELMORA_ALSA_VM_KEEP:-}" ]; then
  echo "alsa-vm-test: work folder $work"
else
  trap 'rm -rf "$work"' EXIT
fi
fs=$work/root
mkdir -p "$fs"/{bin,proc,sys,dev,tmp,modules,velmora,usr/share}

# A file with the libraries it loads, each at its own path.
add_program() {
  cp "$1" "$2"
  for library in $(ldd "$1" 2>/dev/null | grep -o '/[^ ]*' || true); do
    cp -L --parents "$library" "$fs"
  done
}

add_program "$busybox" "$fs/bin/busybox"
for applet in $("$fs/bin/busybox" --list); do
  [ "$applet" = busybox ] || ln -s busybox "$fs/bin/$applet"
done

# In load order; the last four are loaded by the hot-plug check while a program runs.
modules="soundcore snd snd-timer snd-seq-device snd-seq snd-seq-dummy snd-rawmidi
         snd-seq-midi-event snd-seq-virmidi snd-virmidi"
for module in $modules; do
  file=$(find "$sound" -name "$module.ko" | head -n 1)
  [ -n "$file" ] || skip "the kernel has no $module module"
  cp "$file" "$fs/modules/"
done

cp -r /usr/share/alsa "$fs/usr/share/"
add_program "$1" "$fs/velmora/velmora-cli"
add_program "$2" "$fs/velmora/receiver"
add_program "$3" "$fs/velmora/reopen_ports"
add_program "$4" "$fs/velmora/send_latency"
aseqdump=$(command -v aseqdump || true)
[ -n "$aseqdump" ] || skip "aseqdump not found (Debian: apt-get install alsa-utils)"
add_program "$aseqdump" "$fs/velmora/aseqdump"
cp "$checks/checks.sh" "$checks/full-preset-sync.expected" "$fs/velmora/"

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
(cd "$fs" && find . | cpio -o -H newc --quiet) | gzip -1 >"$work/initrd.gz"

started=$(date +%s)
console=$work/console.txt
timeout 240 qemu-system-x86_64 -accel tcg -cpu max -smp 1 -m 512 -kernel "$kernel" \
  -initrd "$work/initrd.gz" -append "console=ttyS0 quiet loglevel=3 panic=-1" \
  -nographic -no-reboot -monitor none >"$console" 2>&1 || true
tr -d '\r' <"$console" | sed -n '/VELMORA-ALSA-VM-BEGIN$/,/^VELMORA-ALSA-VM-RESULT=/p' |
  grep -v 'VELMORA-ALSA-VM-' || true
echo "alsa-vm-test: whole run $(($(date +%s) - started)) s"

result=$(tr -d '\r' <"$console" | sed -n 's/^VELMORA-ALSA-VM-RESULT=//p')
if [ -z "$result" ]; then
  echo "alsa-vm-test: the VM gave no result; the end of its console:" >&2
  tr -d '\r' <"$console" | tail -n 30 >&2
  exit 1
fi
[ "$result" = 0 ] || exit 1
