#!/usr/bin/env bash
# Draws the pictures under images/ with the generator in tools/picture-generator.
#   tools/make-pictures.sh          regenerate images/
#   tools/make-pictures.sh --check  decode every picture at its size, and prove that images/
#                                   holds exactly what the generator draws today
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

g++ -std=c++20 -O2 -Wall -Wextra -Werror -I"$root/src" \
  "$root"/tools/picture-generator/*.cpp "$root/src/catalogue/Variax.cpp" \
  -ljpeg -o "$work/picture-generator"

case "${1:-}" in
  "")
    "$work/picture-generator" "$root/images"
    echo "pictures written under $root/images"
    ;;
  --check)
    "$work/picture-generator" --check "$root/images"
    "$work/picture-generator" "$work/images"
    if ! diff -r "$work/images" "$root/images" >/dev/null; then
      echo "images/ differs from what the generator draws: run tools/make-pictures.sh" >&2
      diff -rq "$work/images" "$root/images" >&2 || true
      exit 1
    fi
    echo "images/ matches the generator"
    ;;
  *)
    echo "usage: $0 [--check]" >&2
    exit 2
    ;;
esac
