# Sourced by the scripts that run velmora.exe under Wine on a screen of their own. Skips the
# run (status 77) where Wine or a desktop tool is missing; makes the run's folder ($work) and
# Wine's prefix (the folder $1, or one in $work); starts the desktop and prepares the prefix.
# `fail` ends the run; on exit the program ($program_pid, if set), Wine and the desktop stop
# and $work is removed.
# Usage: . wine-desktop.sh [WINEPREFIX] [MORE_TOOLS...]

wine=/usr/lib/wine/wine64
[ -x "$wine" ] || wine=$(command -v wine64 || true)
if [ -z "$wine" ]; then
  echo "SKIPPED: wine64 is not installed (Debian package wine64)"
  exit 77
fi
wineserver=$(dirname "$wine")/wineserver
[ -x "$wineserver" ] || wineserver=$(command -v wineserver)
for tool in Xvfb openbox xdotool wmctrl "${@:2}"; do
  if ! command -v "$tool" >/dev/null; then
    echo "SKIPPED: $tool is not installed (tools/install-deps.sh installs it)"
    exit 77
  fi
done

. "$(dirname "${BASH_SOURCE[0]}")/xvfb-desktop.sh"
work=$(mktemp -d)
# Wine takes only a whole path for its prefix.
prefix=${1:-$work/wineprefix}
mkdir -p "$prefix"
export WINEPREFIX=$(cd "$prefix" && pwd) WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winealsa.drv,winepulse.drv=d"
program_pid=
cleanup() {
  [ -z "$program_pid" ] || kill "$program_pid" 2>/dev/null || true
  "$wineserver" -k 2>/dev/null || true
  stop_desktop
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

start_desktop "$work" || fail "no desktop to run on"
# A new prefix takes seconds to make; made here, it does not count against what is timed.
"$wine" wineboot --init >/dev/null 2>&1 || fail "wineboot could not prepare $WINEPREFIX"
