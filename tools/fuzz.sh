#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer and UndefinedBehaviorSanitizer) in
# build/fuzz and runs each for SECONDS on a copy of its seed corpus. Fails when a target
# finds a crash; the input that crashed is left in build/fuzz/crashes/<target>/.
# Usage: tools/fuzz.sh SECONDS [TARGET...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: tools/fuzz.sh SECONDS [TARGET...]}
shift
[ $# -gt 0 ] || set -- fuzz_hex_text fuzz_profile_read fuzz_profile_write fuzz_preset_load \
  fuzz_midi_input
build=${VELMORA_FUZZ_BUILD:-build/fuzz}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_BUILD_FUZZ=ON -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCH=OFF \
  -DVELMORA_BUILD_WINDOW=OFF -DVELMORA_WERROR=ON \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build "$build" -j2 --target "$@"
# The file targets write a scratch file every run; in memory that costs no disk flush.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then
  export TMPDIR=/dev/shm
fi
failed=0
for target in "$@"; do
  corpus="$build/corpus/$target"
  crashes="$build/crashes/$target"
  mkdir -p "$corpus" "$crashes"
  cp -n fuzz/corpus/"$target"/* "$corpus"/
  echo "== $target: $seconds s"
  if ! "$build/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$crashes/" "$corpus" 2>"$build/$target.log"; then
    echo "$target found a crash; see $build/$target.log and $crashes/"
    tail -n 40 "$build/$target.log"
    failed=1
  fi
  grep -E '^stat::number_of_executed_units' "$build/$target.log" || true
done
exit $failed
