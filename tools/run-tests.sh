#!/usr/bin/env bash
# Builds and runs every test for each CMake preset named (default: dev); "wine" runs the
# Windows build of the Qt-free suites under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -gt 0 ] || set -- dev
for preset in "$@"; do
  if [ "$preset" = wine ]; then
    tools/run-wine-tests.sh
    continue
  fi
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset" -j2
done
