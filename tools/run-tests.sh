#!/usr/bin/env bash
# Builds and runs every test for each CMake preset named (default: dev).
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- dev
for preset in "$@"; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
