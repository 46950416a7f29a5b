#!/usr/bin/env bash
# Exploring in a real window shows exactly what the headless snapshot draws:
# Space twice goes down to the planet of the system at (10, 10), and a held
# Right arrow scrolls the galaxy to some (x, 10).
set -u
explorer=$1
snapshot=$2
source "$(dirname "$0")/xvfb_lib.sh"

map_matches_snapshot() {  # shot, snapshot arguments...
  local shot=$1
  shift
  "$snapshot" "$@" --out "$E2E_DIR/expected.png" >/dev/null || fail "snapshot $* failed"
  map_region "$shot" "$E2E_DIR/shot-map.png"
  map_region "$E2E_DIR/expected.png" "$E2E_DIR/expected-map.png"
  [[ $(pixel_difference "$E2E_DIR/shot-map.png" "$E2E_DIR/expected-map.png") == 0 ]]
}

end_with_esc() {
  xdotool key Escape
  wait_app 5
  [[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"
}

start_xvfb

# Down to the planet surface: the level gate opens 0.5 s after the first frame.
start_app "$explorer"
find_window glyphverse
sleep 0.6
xdotool keydown space; sleep 0.05; xdotool keyup space
sleep 0.7
xdotool keydown space; sleep 0.05; xdotool keyup space
sleep 0.5
screenshot "$E2E_DIR/planet.png"
map_matches_snapshot "$E2E_DIR/planet.png" --script "wait 30; hold space 1; wait 30; hold space 1" ||
  fail "the planet surface differs from the snapshot"
end_with_esc

# A moment of Right arrow: somewhere between x = 11 and 200 on row 10.
start_app "$explorer"
find_window glyphverse
xdotool keydown Right; sleep 0.3; xdotool keyup Right
sleep 0.3
screenshot "$E2E_DIR/scrolled.png"
found=""
for x in $(seq 11 200); do
  if map_matches_snapshot "$E2E_DIR/scrolled.png" --start "$x,10"; then
    found=$x
    break
  fi
done
[[ -n "$found" ]] || fail "the scrolled map matches no snapshot at (11..200, 10)"
echo "held Right arrow stopped at ($found, 10)"
end_with_esc
echo "explore test ok"
