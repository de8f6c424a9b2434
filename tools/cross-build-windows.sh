#!/usr/bin/env bash
# Cross-compiles the Qt-free core and velmora-cli for Windows, so the winmm backend is built
# on every change even though no test here can reach a Windows MIDI port.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset mingw
cmake --build --preset mingw
