#!/usr/bin/env bash
# The window scales: resized, it shows the page at the largest whole factor
# that fits, centred on black, pixel for pixel as the snapshot draws it; F11
# toggles full screen, with a window manager or without; Alt brings the explorer back
# from a star system to the galaxy exactly as it was.
set -u
explorer=$1
snapshot=$2
source "$(dirname "$0")/xvfb_lib.sh"

"$snapshot" --out "$E2E_DIR/start.png" >/dev/null || fail "snapshot failed"
map_region "$E2E_DIR/start.png" "$E2E_DIR/start-map.png"

# A page shown at `scale` with its top-left corner at (left, top) of the shot
# must be the start frame, and everything around it black.
expect_scaled_page() {
  local shot=$1 scale=$2 left=$3 top=$4 side=$((600 * $2))
  convert "$shot" -crop "${side}x${side}+${left}+${top}" +repage -sample "600x600" "$E2E_DIR/page.png"
  map_region "$E2E_DIR/page.png" "$E2E_DIR/page-map.png"
  local diff
  diff=$(pixel_difference "$E2E_DIR/page-map.png" "$E2E_DIR/start-map.png")
  [[ $diff == 0 ]] || fail "$shot: the page at ${scale}x differs from the snapshot in $diff pixels"
  # Each page pixel must be a solid scale x scale square: scaling back up gives the shot's page.
  convert "$E2E_DIR/page.png" -scale "${side}x${side}" "$E2E_DIR/up.png"
  convert "$shot" -crop "${side}x${side}+${left}+${top}" +repage "$E2E_DIR/crop.png"
  diff=$(pixel_difference "$E2E_DIR/up.png" "$E2E_DIR/crop.png")
  [[ $diff == 0 ]] || fail "$shot: scaled pixels are not crisp squares ($diff pixels differ)"
  local outside
  outside=$(convert "$shot" -fill black -draw "rectangle $left,$top $((left + side - 1)),$((top + side - 1))" \
    -format '%[fx:maxima]' info:)
  [[ $outside == 0 ]] || fail "$shot: the border around the page is not black"
}

end_with_esc() {
  xdotool key Escape
  wait_app 5
  [[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"
}

start_xvfb 1600x1400

# Resized by hand: 1300 x 1250 fits the page twice, centred at (50, 25).
start_app "$explorer"
find_window glyphverse
xdotool windowmove "$WINDOW" 0 0
xdotool windowsize "$WINDOW" 1300 1250
sleep 0.6
[[ $(window_size) == 1300x1250 ]] || fail "window did not resize: $(window_size)"
screenshot "$E2E_DIR/resized.png"
expect_scaled_page "$E2E_DIR/resized.png" 2 50 25

# Down into the system at (10, 10) with Space and back up with Alt.
xdotool keydown space; sleep 0.05; xdotool keyup space
sleep 0.7
xdotool keydown alt; sleep 0.05; xdotool keyup alt
sleep 0.4
screenshot "$E2E_DIR/returned.png"
expect_scaled_page "$E2E_DIR/returned.png" 2 50 25

# Without a window manager F11 covers the screen by itself, centred, and
# gives back the window as it was.
xdotool key F11
sleep 0.8
[[ $(window_size) == 1600x1400 ]] || fail "F11 without a window manager: $(window_size)"
screenshot "$E2E_DIR/filled.png"
expect_scaled_page "$E2E_DIR/filled.png" 2 200 100
xdotool key F11
sleep 0.8
[[ $(window_size) == 1300x1250 ]] || fail "a second F11 did not give the window back: $(window_size)"
screenshot "$E2E_DIR/unfilled.png"
expect_scaled_page "$E2E_DIR/unfilled.png" 2 50 25
end_with_esc

# Full screen needs a window manager to grant it.
openbox --sm-disable >/dev/null 2>&1 &
E2E_PIDS+=($!)
sleep 0.5
start_app "$explorer"
find_window glyphverse
xdotool key F11
sleep 0.8
[[ $(window_size) == 1600x1400 ]] || fail "F11 did not fill the screen: $(window_size)"
screenshot "$E2E_DIR/full.png"
expect_scaled_page "$E2E_DIR/full.png" 2 200 100
xdotool key F11
sleep 0.8
[[ $(window_size) == 600x600 ]] || fail "a second F11 did not restore the window: $(window_size)"
end_with_esc
echo "window scale test ok"
