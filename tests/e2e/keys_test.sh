#!/usr/bin/env bash
# Keys sent to a real window: a held Right arrow is seen as scan code 77 and
# queues (255, 'M') while it repeats; typed text arrives in code page 437; Alt
# and F10 are ordinary keys that keep the focus; text copied can be pasted,
# and Ctrl+V, Shift+Insert and the middle button paste; the close button queues
# (255, 'k') and leaves the window open; Esc ends the program with status 0.
set -u
probe=$1
source "$(dirname "$0")/xvfb_lib.sh"

start_xvfb
start_app "$probe"
find_window key_probe

xdotool keydown Right
sleep 0.6
grep -q '^77 down$' "$E2E_DIR/app.out" || fail "held Right arrow not seen: $(cat "$E2E_DIR/app.out")"
xdotool keyup Right
sleep 0.3
tail -n 5 "$E2E_DIR/app.out" | grep -q '^77 up$' || fail "released Right arrow still held"
grep -q '^key FF 4D$' "$E2E_DIR/app.out" || fail "Right arrow queued nothing"

xdotool type --delay 30 'a@'
xdotool key Return space
sleep 0.3
for expected in 'key 61' 'key 40' 'key 0D' 'key 20'; do
  grep -q "^$expected\$" "$E2E_DIR/app.out" || fail "missing '$expected': $(cat "$E2E_DIR/app.out")"
done

# Text put on the clipboard is there for other programs to paste.
xdotool key c
sleep 0.3
grep -q '^copied 1$' "$E2E_DIR/app.out" || fail "nothing copied: $(cat "$E2E_DIR/app.out")"
pasted=$(timeout 5 xclip -o -selection clipboard) || fail "xclip could not paste"
[[ $pasted == 'glyphverse:2/1100/2100' ]] || fail "pasted '$pasted'"
xdotool key ctrl+v shift+Insert
printf 'bright>=150' | xclip -loops 1 -selection primary
xdotool click 2
sleep 0.3
[[ $(grep -c '^pasted glyphverse:2/1100/2100$' "$E2E_DIR/app.out") == 2 ]] ||
  fail "Ctrl+V and Shift+Insert did not both paste: $(cat "$E2E_DIR/app.out")"
grep -q '^pasted bright>=150$' "$E2E_DIR/app.out" || fail "the middle button pasted no selection"

xdotool key Escape
wait_app 5
[[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"

# Under a window manager: Alt+F4 is its close button.
openbox --sm-disable >/dev/null 2>&1 &
E2E_PIDS+=($!)
sleep 0.5
start_app "$probe"
find_window key_probe
xdotool key alt F10
sleep 0.3
[[ $(xdotool getwindowfocus) == "$WINDOW" ]] || fail "Alt or F10 took the focus away"
grep -q '^key FF 44$' "$E2E_DIR/app.out" || fail "F10 queued nothing: $(cat "$E2E_DIR/app.out")"
xdotool key alt+F4
sleep 0.5
grep -q '^key FF 6B$' "$E2E_DIR/app.out" || fail "the close button queued nothing"
kill -0 "$APP_PID" 2>/dev/null || fail "the close button ended the program"
xdotool search --name '^key_probe$' >/dev/null || fail "the close button closed the window"
xdotool windowfocus --sync "$WINDOW"
xdotool key Escape
wait_app 5
[[ $APP_STATUS -eq 0 ]] || fail "exit status $APP_STATUS after Esc"
echo "keys test ok"
