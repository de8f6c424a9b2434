#!/usr/bin/env bash
# Start-up benchmark of the editor's window against a bare Qt window (an empty QWidget), on
# the offscreen platform and, where Xvfb is installed, on an X server with openbox: the median
# time from launch to first show (and to first paint) and the median peak memory over RUNS
# starts of each, alternated. The editor loads its default preset without the half-second
# pauses. Targets: time under 2x the bare window's, memory under 1.5x. Exits 1 when a target
# is missed.
# Usage: bench/window-startup.sh [BUILD_DIR (build/release)] [RUNS (10)]
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build/release}
runs=${2:-10}
bare=$build/bench/bare_qt_window
editor=$build/bench/editor_first_show
for program in "$bare" "$editor"; do
  [ -x "$program" ] || {
    echo "window-startup: $program is missing: build $build with Qt 6 first" >&2
    exit 1
  }
done

. tools/xvfb-desktop.sh
work=$(mktemp -d)
cleanup() {
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

# One start; appends "show paint rss" to the file $1.
measure() {
  local out=$1
  shift
  BENCH_LAUNCH_NS=$(date +%s%N) "$@" >"$work/run.txt" 2>"$work/run.err" || {
    echo "window-startup: $* failed: $(cat "$work/run.err")" >&2
    exit 1
  }
  awk '/^first show:/ { s = $3 } /^first paint:/ { p = $3 } /^peak rss:/ { r = $3 }
       END { print s, p, r }' "$work/run.txt" >>"$out"
}

median() {
  cut -d' ' -f"$2" "$1" | sort -g | awk '{ v[NR] = $1 }
    END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.2f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

missed=0
# Prints one figure of both programs and their ratio against the target.
compare() {
  local label=$1 column=$2 unit=$3 target=$4
  local b e
  b=$(median "$work/bare.txt" "$column")
  e=$(median "$work/editor.txt" "$column")
  awk -v l="$label" -v b="$b" -v e="$e" -v u="$unit" -v t="$target" 'BEGIN {
    r = e / b
    verdict = t == "" ? "" : (r < t ? "  (target < " t "x: met)" : "  (target < " t "x: MISSED)")
    f = u == "ms" ? "%9.1f" : "%9.0f"
    printf "  %-12s bare " f " %s   editor " f " %s   ratio %.2f%s\n", l, b, u, e, u, r, verdict
    exit (t != "" && r >= t) }' || missed=1
}

bench_platform() {
  local name=$1
  local folder=$work/$name-files
  mkdir -p "$folder"
  : >"$work/bare.txt"
  : >"$work/editor.txt"
  # A first start creates the settings and preset files; later starts read them, as usual.
  measure "$work/warmup.txt" "$bare"
  measure "$work/warmup.txt" env VELMORA_MIDI=virtual "$editor" "$folder"
  for _ in $(seq "$runs"); do
    measure "$work/bare.txt" "$bare"
    measure "$work/editor.txt" env VELMORA_MIDI=virtual "$editor" "$folder"
  done
  echo "$name, median of $runs starts:"
  compare "first show" 1 ms 2
  compare "first paint" 2 ms ""
  compare "peak memory" 3 kB 1.5
}

QT_QPA_PLATFORM=offscreen bench_platform offscreen

if command -v Xvfb >/dev/null && command -v openbox >/dev/null; then
  start_desktop "$work" || {
    echo "window-startup: no desktop to measure on" >&2
    exit 1
  }
  QT_QPA_PLATFORM=xcb bench_platform "Xvfb + openbox"
else
  echo "Xvfb + openbox: not installed, skipped"
fi
exit "$missed"
