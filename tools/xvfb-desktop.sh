# Sourced by the scripts that run the editor without a screen: an X server with a window
# manager, and a bounded wait. Not a program of its own.

# Waits up to $1 tenths of a second for the command that follows to succeed.
wait_for() {
  local tries=$1
  shift
  until "$@"; do
    tries=$((tries - 1))
    [ "$tries" -gt 0 ] || return 1
    sleep 0.1
  done
}

desktop_pids=()

# Starts Xvfb and openbox with their files in the folder $1 and exports DISPLAY. Returns 1,
# with the reason on stderr, when either does not come up. VELMORA_SCREEN sets a larger
# screen than 1280x1024x24 (a window at 200 % does not fit on that one).
start_desktop() {
  local folder=$1
  # A runtime folder of the run's own: the editor's one-editor lock and socket live there, so
  # an editor the player has open never takes this run's starts.
  export XDG_RUNTIME_DIR=$folder/runtime
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  Xvfb -displayfd 3 -screen 0 "${VELMORA_SCREEN:-1280x1024x24}" -nolisten tcp 3>"$folder/display" \
    2>"$folder/xvfb.log" &
  desktop_pids+=($!)
  wait_for 100 test -s "$folder/display" || {
    echo "Xvfb did not start: $(cat "$folder/xvfb.log")" >&2
    return 1
  }
  export DISPLAY=":$(cat "$folder/display")"
  openbox --sm-disable >/dev/null 2>&1 &
  desktop_pids+=($!)
  # A window mapped while openbox is still taking over the display may never be shown.
  wait_for 200 eval 'wmctrl -m >/dev/null 2>&1' || {
    echo "openbox did not start" >&2
    return 1
  }
}

stop_desktop() {
  for pid in "${desktop_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# "left top width height" of the window xwininfo's arguments name (-root: the screen).
window_geometry() {
  xwininfo "$@" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
    /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }'
}

# F11 in the focused window $1 must make it cover the whole screen, and F11 again put it back
# where it was, as large as it was. Returns 1, saying what it saw, otherwise.
check_full_screen_toggle() {
  local window=$1 before screen
  before=$(window_geometry -id "$window")
  screen=$(window_geometry -root)
  xdotool key F11
  wait_for 50 eval '[ "$(window_geometry -id "$window")" = "$screen" ]' ||
    { echo "F11 did not cover the screen ($screen): $(window_geometry -id "$window")" >&2; return 1; }
  xdotool key F11
  wait_for 50 eval '[ "$(window_geometry -id "$window")" = "$before" ]' ||
    { echo "F11 again did not give back $before: $(window_geometry -id "$window")" >&2; return 1; }
}
