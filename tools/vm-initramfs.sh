# Shared by the scripts that test against a real kernel in a QEMU machine (sourced, not run):
# finding Debian's kernel and its modules, building an initramfs around busybox, booting it
# and reading a check script's result back from the serial console.
#
# The caller sets `work` (a scratch folder) before vm_start_initramfs, and defines nothing
# else; every function exits 77 with a "SKIP:" line when something it needs is missing.

vm_skip() {
  echo "SKIP: $*" >&2
  exit 77
}

# Sets `kernel` (the newest /boot/vmlinuz-*) and `kernel_modules` (its module folder).
vm_find_kernel() {
  command -v qemu-system-x86_64 >/dev/null ||
    vm_skip "qemu-system-x86_64 not found (Debian: apt-get install qemu-system-x86)"
  for tool in cpio gzip; do
    command -v "$tool" >/dev/null || vm_skip "$tool not found (Debian: apt-get install $tool)"
  done
  kernel=$(ls /boot/vmlinuz-* 2>/dev/null | sort -V | tail -n 1 || true)
  [ -n "$kernel" ] && [ -r "$kernel" ] ||
    vm_skip "no readable kernel in /boot (Debian: apt-get install linux-image-amd64)"
  kernel_modules=/lib/modules/${kernel#/boot/vmlinuz-}/kernel
  [ -d "$kernel_modules/sound" ] || vm_skip "no sound modules in $kernel_modules for $kernel"
}

# A file with the libraries it loads, each at its own path under the root `fs`.
vm_add_program() {
  cp "$1" "$2"
  for library in $(ldd "$1" 2>/dev/null | grep -o '/[^ ]*' || true); do
    cp -L --parents "$library" "$fs"
  done
}

# Sets `fs`, the initramfs root under $work, with busybox and its applets in /bin.
vm_start_initramfs() {
  local busybox
  busybox=$(command -v busybox || true)
  [ -n "$busybox" ] || vm_skip "busybox not found (Debian: apt-get install busybox-static)"
  fs=$work/root
  mkdir -p "$fs"/{bin,proc,sys,dev,tmp,modules}
  vm_add_program "$busybox" "$fs/bin/busybox"
  for applet in $("$fs/bin/busybox" --list); do
    [ "$applet" = busybox ] || ln -s busybox "$fs/bin/$applet"
  done
}

# vm_add_modules NAME... : copies each kernel module (NAME.ko, found anywhere in the
# kernel's tree) into /modules of the initramfs.
vm_add_modules() {
  local module file
  for module in "$@"; do
    file=$(find "$kernel_modules" -name "$module.ko" | head -n 1)
    [ -n "$file" ] || vm_skip "the kernel has no $module module"
    cp "$file" "$fs/modules/"
  done
}

# Packs $fs (which must have an executable /init) into $work/initrd.gz.
vm_pack_initramfs() {
  (cd "$fs" && find . | cpio -o -H newc --quiet) | gzip -1 >"$work/initrd.gz"
}

# vm_boot SECONDS TAG QEMU_OPTION... : boots the kernel with the initramfs, at most SECONDS.
# The /init prints "TAG-BEGIN" before its checks and "TAG-RESULT=status" after them; what
# lies between is shown, and the function returns 0 when that status is 0. no_timer_check:
# on a busy host the emulated timer misses the kernel's early check, which then panics
# ("IO-APIC + timer doesn't work").
vm_boot() {
  local seconds=$1 tag=$2 started console result
  shift 2
  started=$(date +%s)
  console=$work/console.txt
  timeout "$seconds" qemu-system-x86_64 -accel tcg -smp 1 -kernel "$kernel" \
    -initrd "$work/initrd.gz" -append "console=ttyS0 quiet loglevel=3 panic=-1 no_timer_check" \
    -nographic -no-reboot -monitor none "$@" >"$console" 2>&1 || true
  tr -d '\r' <"$console" | sed -n "/$tag-BEGIN\$/,/^$tag-RESULT=/p" | grep -v "$tag-" || true
  echo "$(basename "$0"): whole run $(($(date +%s) - started)) s"
  result=$(tr -d '\r' <"$console" | sed -n "s/^$tag-RESULT=//p")
  if [ -z "$result" ]; then
    echo "$(basename "$0"): the VM gave no result; the end of its console:" >&2
    tr -d '\r' <"$console" | tail -n 30 >&2
    return 1
  fi
  [ "$result" = 0 ]
}
