#!/usr/bin/env bash
# The mouse in a real window. In the scanner a double click travels to the
# cell under the pointer, the wheel zooms, a click puts the crosshair on a
# cell, a drag pans; on the map a click walks to the cell under it. Each time
# the map that follows is the snapshot tool's map of the place reached.
set -u
explorer=$1
snapshot=$2
source "$(dirname "$0")/xvfb_lib.sh"

map_is_at() {  # x y what
  sleep 0.4
  screenshot "$E2E_DIR/shot.png"
  "$snapshot" --start "$1,$2" --out "$E2E_DIR/expected.png" >/dev/null || fail "snapshot failed"
  map_region "$E2E_DIR/shot.png" "$E2E_DIR/shot-map.png"
  map_region "$E2E_DIR/expected.png" "$E2E_DIR/expected-map.png"
  [[ $(pixel_difference "$E2E_DIR/shot-map.png" "$E2E_DIR/expected-map.png") == 0 ]] ||
    fail "$3: the map is not the one at ($1, $2)"
}

start_xvfb
start_app "$explorer"
find_window glyphverse

# One pixel a cell, 600 cells around (10, 10): pixel (400, 350) is cell (110, 60).
xdotool key m
sleep 0.3
xdotool mousemove --window "$WINDOW" 400 350 click --repeat 2 --delay 100 1
map_is_at 110 60 "a double click"

# Two pixels a cell around (110, 60): pixel (500, 300) is cell (210, 60).
xdotool key m
sleep 0.3
xdotool mousemove --window "$WINDOW" 300 300 click 4
sleep 0.2
xdotool mousemove --window "$WINDOW" 500 300 click 1
sleep 0.3
xdotool key Return
map_is_at 210 60 "the wheel and a click"

# Dragging the picture 100 pixels left and 50 up pans 50 cells right and 25 down.
xdotool key m
sleep 0.3
xdotool mousemove --window "$WINDOW" 300 300 mousedown 1
for step in 1 2 3 4; do
  xdotool mousemove --window "$WINDOW" $((300 - 25 * step)) $((300 - 25 * step / 2))
  sleep 0.05
done
xdotool mouseup 1
sleep 0.2
xdotool key m
map_is_at 260 85 "a drag"

# On the map, cells are 8 pixels from (50, 50) and the explorer's is the
# 31st: pixel (94, 270) is 25 cells left of it and 3 up.
xdotool mousemove --window "$WINDOW" 94 270 click 1
map_is_at 235 82 "a click on the map"

xdotool key Escape
wait_app 5
[[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"
echo "mouse test ok"
