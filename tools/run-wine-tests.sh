#!/usr/bin/env bash
# Cross-builds the Qt-free core, velmora-cli.exe and their test suites with MinGW, and runs the
# suites under Wine. Skips, saying why, where MinGW or wine64 is missing.
# Usage: tools/run-wine-tests.sh [BUILD_FOLDER]   (default: build/mingw-tests)
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/mingw-tests}

missing=()
command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=("g++-mingw-w64-x86-64")
[ -x /usr/lib/wine/wine64 ] || command -v wine64 >/dev/null || missing+=("wine64")
[ -f /usr/src/googletest/CMakeLists.txt ] || missing+=("googletest")
if [ ${#missing[@]} -gt 0 ]; then
  echo "Windows tests skipped: install ${missing[*]} (Debian packages) to run them under Wine."
  exit 0
fi

cmake --preset mingw-tests -B "$build" >/dev/null
cmake --build "$build" -j2
status=0
ctest --test-dir "$build" --output-on-failure -j2 || status=$?
# Wine keeps its server a few seconds after the last program; end it now, so nothing of this
# run outlives it.
WINEPREFIX="$(cd "$build" && pwd)/wineprefix" /usr/lib/wine/wineserver -k 2>/dev/null || true

# GoogleTest's own count of the cases each suite ran, passed and skipped.
log="$build/Testing/Temporary/LastTest.log"
if [ -f "$log" ]; then
  awk '/^\[  PASSED  \] [0-9]+ tests?\./ { passed += $4 }
       /^\[  SKIPPED \] [0-9]+ tests?,/ { skipped += $4 }
       END { printf "Under Wine: %d test cases passed, %d skipped.\n", passed, skipped }' "$log"
fi
exit "$status"
