#!/usr/bin/env bash
# The explorer in a real X window: its title and size, the text display in
# its colour, the map exactly as the headless snapshot draws it, also after
# the window was hidden and shown again, and Esc.
set -u
explorer=$1
snapshot=$2
source "$(dirname "$0")/xvfb_lib.sh"

start_xvfb
# Pictures saved with F12 go to a folder of the program's data when the user
# has no pictures folder, never to the current one.
cd "$E2E_DIR"
export HOME=$E2E_DIR
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_PICTURES_DIR
start_app "$explorer"
find_window glyphverse
[[ $(window_size) == 600x600 ]] || fail "drawing area is $(window_size), not 600x600"

sleep 0.5
screenshot "$E2E_DIR/start.png"
[[ $(identify -format '%wx%h' "$E2E_DIR/start.png") == 600x600 ]] || fail "screenshot size"
text_pixels=$(convert "$E2E_DIR/start.png" -crop 200x40+0+0 +repage -fill white +opaque '#502828' \
  -fill black -opaque '#502828' -format '%[fx:int(w*h*(1-mean))]' info:)
[[ $text_pixels -gt 100 ]] || fail "the text display has only $text_pixels pixels of 0x502828"

"$snapshot" --out "$E2E_DIR/expected.png" >/dev/null || fail "snapshot failed"
map_region "$E2E_DIR/start.png" "$E2E_DIR/start-map.png"
map_region "$E2E_DIR/expected.png" "$E2E_DIR/expected-map.png"
diff=$(pixel_difference "$E2E_DIR/start-map.png" "$E2E_DIR/expected-map.png")
[[ $diff == 0 ]] || fail "the window's map differs from the snapshot in $diff pixels"

# Hidden and shown again, the window must be painted anew, map and all:
# outside the text display nothing changes, so nothing else would redraw it.
xdotool windowunmap --sync "$WINDOW"
xdotool windowmap --sync "$WINDOW"
sleep 0.3
screenshot "$E2E_DIR/exposed.png"
map_region "$E2E_DIR/exposed.png" "$E2E_DIR/exposed-map.png"
diff=$(pixel_difference "$E2E_DIR/exposed-map.png" "$E2E_DIR/expected-map.png")
[[ $diff == 0 ]] || fail "after being shown again the window's map differs in $diff pixels"

xdotool windowfocus --sync "$WINDOW" 2>/dev/null || xdotool windowfocus "$WINDOW"

# F12 saves the picture on the screen with its place, and says so at the
# bottom of the page.
xdotool key F12
picture=$E2E_DIR/.local/share/glyphverse/pictures/glyphverse-L2-10-10.png
for _ in $(seq 60); do [[ -s $picture ]] && break; sleep 0.05; done
[[ -s $picture ]] || fail "F12 saved no picture: $(find "$E2E_DIR" -name '*.png')"
[[ -z $(find "$E2E_DIR" -maxdepth 1 -name 'glyphverse-*') ]] || fail "F12 wrote into the current folder"
identify -verbose "$picture" | grep -q 'glyphverse:place: 2/10/10' ||
  fail "the picture does not say where it was taken"
map_region "$picture" "$E2E_DIR/saved-map.png"
diff=$(pixel_difference "$E2E_DIR/saved-map.png" "$E2E_DIR/expected-map.png")
[[ $diff == 0 ]] || fail "the saved picture's map differs from the snapshot in $diff pixels"
sleep 0.2
screenshot "$E2E_DIR/saying.png"
said=$(convert "$E2E_DIR/saying.png" -crop 600x8+0+592 +repage -format '%[fx:int(w*h*mean)]' info:)
[[ $said -gt 20 ]] || fail "no word of the saved picture on the page"

# F12 saves in the scanner too, and a held F12 saves one picture, not one
# for each of its repeats; a picture taken while a message shows does not
# carry it.
folder=$E2E_DIR/.local/share/glyphverse/pictures
xdotool key m
sleep 0.3
xdotool keydown F12
sleep 1.5
xdotool keyup F12
sleep 0.3
pictures=$(find "$folder" -name 'glyphverse-*.png' | wc -l)
[[ $pictures == 2 ]] || fail "F12 held in the scanner saved $((pictures - 1)) pictures, not 1"
xdotool key m
sleep 0.2
xdotool key F12
sleep 0.5
[[ -s $folder/glyphverse-L2-10-10-3.png ]] || fail "F12 after the scanner saved no picture"
below=$(convert "$folder/glyphverse-L2-10-10-3.png" -crop 600x24+0+576 +repage -format '%[fx:maxima]' info:)
[[ $below == 0 ]] || fail "the picture carries the message shown below the map"
xdotool key Escape
wait_app 5
[[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"
echo "window test ok"
