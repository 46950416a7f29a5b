# Shared helpers of the real-window tests: a private X server, the explorer's
# window, screenshots and pixel comparisons. Source it; it cleans up on exit.

E2E_DIR=$(mktemp -d)
E2E_PIDS=()

e2e_cleanup() {
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$E2E_DIR"
}
trap e2e_cleanup EXIT

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

# Starts Xvfb on a free display number and exports DISPLAY.
start_xvfb() {
  local size=${1:-1024x768}
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$E2E_DIR/display" 2>"$E2E_DIR/xvfb.log" &
  E2E_PIDS+=($!)
  for _ in $(seq 100); do
    [[ -s "$E2E_DIR/display" ]] && break
    sleep 0.05
  done
  [[ -s "$E2E_DIR/display" ]] || fail "Xvfb did not start: $(cat "$E2E_DIR/xvfb.log")"
  export DISPLAY=":$(head -n1 "$E2E_DIR/display")"
}

# Starts a program in the background; its pid is in APP_PID. In a sanitizer
# build the leak check is off for windowed programs: the system's GL and D-Bus
# libraries keep a few blocks until exit, and SDL unloads them before the
# check could name them. Our own code is leak-checked by the headless tests
# and the soak run.
start_app() {
  ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0" "$@" >"$E2E_DIR/app.out" 2>"$E2E_DIR/app.err" &
  APP_PID=$!
  E2E_PIDS+=("$APP_PID")
}

# Waits for a window with exactly this title; its id is in WINDOW, and it gets the keyboard.
find_window() {
  local title=$1
  WINDOW=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1)
  [[ -n "$WINDOW" ]] || fail "no window titled '$title'"
  xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"
  sleep 0.3
}

# The size of the window's drawing area, as WIDTHxHEIGHT.
window_size() {
  xdotool getwindowgeometry --shell "$WINDOW" | awk -F= '/^WIDTH/{w=$2} /^HEIGHT/{h=$2} END{print w "x" h}'
}

# Screenshot of the window's drawing area.
screenshot() {
  import -window "$WINDOW" "$1" 2>/dev/null || fail "screenshot failed"
}

# Crops the map region (pixels 50 to 537 on both axes) of a 600 x 600 frame.
map_region() {
  convert "$1" -crop 488x488+50+50 +repage "$2"
}

# Number of pixels in which two images differ.
pixel_difference() {
  compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# Waits up to the given seconds for the app to end; its status is in APP_STATUS.
wait_app() {
  local seconds=$1
  for _ in $(seq $((seconds * 20))); do
    if ! kill -0 "$APP_PID" 2>/dev/null; then
      wait "$APP_PID"
      APP_STATUS=$?
      return 0
    fi
    sleep 0.05
  done
  fail "the program did not end within $seconds s"
}
