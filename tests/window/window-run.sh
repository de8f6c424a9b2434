# Sourced by the real-window scripts: skips the run (status 77) where a tool named in the
# arguments is missing, then makes the run's folder ($work), `fail`, and a clean-up that stops
# the programs in $pids and the desktop and removes $work.
# Usage: . window-run.sh [TOOL...]

for tool in "$@"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done

. "$(dirname "${BASH_SOURCE[0]}")/../../tools/xvfb-desktop.sh"
# The editors started here never join the desktop session of whoever runs the tests.
unset SESSION_MANAGER
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}
