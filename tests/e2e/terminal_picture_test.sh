#!/usr/bin/env bash
# Without a display server, in a terminal with room, the explorer shows the
# whole picture: every map cell as its glyph in its colour, the same as the
# universe holds there, on the galaxy, in a star system and on its planet. A
# tap moves one cell, Backspace goes back up, small terminals get the middle
# of the map (or the text alone) and a resize lays it out again, and colours
# follow what the terminal can show.
set -u
explorer=$1
query=$2
here=$(dirname "$0")
source "$here/tmux_lib.sh"

check_cells() {  # level colours [gx gy]
  settle || fail "the picture does not settle"
  pane_with_colours >"$TMUX_WORK/pane"
  python3 "$here/pane_cells.py" "$query" "$TMUX_WORK/pane" "$@" || fail "map cells differ"
}

coords() { pane | sed -n 's/^Coords: \(.*\)$/\1/p'; }

# Taps a key `count` times, each time waiting for the move it makes.
tap() {  # key count
  for _ in $(seq "$2"); do
    local before
    before=$(coords)
    tmux_ send-keys -t explorer "$1"
    for _ in $(seq 40); do [[ $(coords) != "$before" ]] && break; sleep 0.025; done
  done
}

start_explorer "$explorer" 100 80 COLORTERM=truecolor
wait_for_screen '^Coords: 10 10' || fail "no text display"
wait_for_screen '^ 167772170' || fail "no seed line"
wait_for_screen '^viewLevel: 2' || fail "no view level line"
wait_for_screen '^nebIntens:0' || fail "no nebIntens line"
check_cells galaxy truecolor

tap Right 1
wait_for_screen '^Coords: 11 10' || fail "one tap did not move one cell"
sleep 0.3
wait_for_screen '^Coords: 11 10' || fail "one tap moved more than one cell"

# An arrow whose bytes a slow link spreads out is still an arrow, never Esc.
# The server itself waits between the bytes, so the gaps are what they say.
tmux_ send-keys -t explorer -H 1b \; run-shell "sleep 0.035" \; \
  send-keys -t explorer -H 5b \; run-shell "sleep 0.035" \; send-keys -t explorer -H 43
wait_for_screen '^Coords: 12 10' || fail "a spread-out arrow did not move"
[[ -e "$TMUX_WORK/status" ]] && fail "a spread-out arrow ended the program"

tap Right 28
tap Up 8
wait_for_screen '^Coords: 40 2' || fail "taps did not reach (40, 2)"
check_cells galaxy truecolor
settle
pane >"$TMUX_WORK/galaxy"

tmux_ send-keys -t explorer Space
wait_for_screen '^viewLevel: 3' || fail "Space did not enter the system"
wait_for_screen '^Coords: 0 0' || fail "the system does not start at (0, 0)"
check_cells system truecolor 40 2
sleep 0.6
tmux_ send-keys -t explorer Space
wait_for_screen '^viewLevel: 4' || fail "Space did not reach the planet"
check_cells planet truecolor 40 2

sleep 0.6
tmux_ send-keys -t explorer BSpace
wait_for_screen '^viewLevel: 3' || fail "Backspace did not go back up"
sleep 0.6
tmux_ send-keys -t explorer BSpace
wait_for_screen '^viewLevel: 2' || fail "Backspace did not reach the galaxy"
wait_for_screen '^Coords: 40 2' || fail "the galaxy position was not restored"
settle
pane | sed -n '7,67p' >"$TMUX_WORK/again"
sed -n '7,67p' "$TMUX_WORK/galaxy" | cmp -s - "$TMUX_WORK/again" ||
  fail "the galaxy's map looks different after the way back"

tmux_ send-keys -t explorer Escape
expect_ended_restored 0

# A small terminal: the text display and the middle of the map; then room for all of it.
start_explorer "$explorer" 80 24 COLORTERM=truecolor
wait_for_screen '^Coords: 10 10' || fail "no text display in 80 x 24"
row=$(pane | grep -n '@' | cut -d: -f1)
column=$(pane | grep '@' | python3 -c 'import sys; print(sys.stdin.read().index("@") + 1)')
# Five rows of text display, four rows for prompts and messages, and between
# them 15 rows of the map around the explorer.
[[ $row == 13 && $column == 37 ]] || fail "the explorer is at row $row, column $column, not in the middle"
tmux_ resize-window -t explorer -x 120 -y 80
wait_for_screen '^.{6}.{61}' || true
for _ in $(seq 60); do (($(pane | sed -n '7,67p' | grep -c '[^ ]') == 61)) && break; sleep 0.05; done
(($(pane | sed -n '7,67p' | grep -c '[^ ]') == 61)) || fail "the whole map did not appear after the resize"
check_cells galaxy truecolor
kill -TERM "$(explorer_pid "$explorer")"
expect_ended_restored 143

# Too small for the picture, the text alone; every resize lays it out again:
# the whole map once there is room, the text alone again when there is not.
map_rows() { pane | sed -n '7,67p' | grep -c '[^ ]'; }
start_explorer "$explorer" 39 5 COLORTERM=truecolor
wait_for_screen '^Coords: 10 10' || fail "no text display in 39 x 5"
pane | grep -q '▒' && fail "a map in 39 x 5"
tmux_ resize-window -t explorer -x 100 -y 80
for _ in $(seq 60); do (($(map_rows) == 61)) && break; sleep 0.05; done
(($(map_rows) == 61)) || fail "the map did not appear when 39 x 5 grew to 100 x 80"
check_cells galaxy truecolor
tmux_ resize-window -t explorer -x 39 -y 5
for _ in $(seq 60); do pane | grep -q '▒' || break; sleep 0.05; done
pane | grep -q '▒' && fail "the map stayed when 100 x 80 shrank to 39 x 5"
wait_for_screen '^Coords: 10 10' || fail "no text display after shrinking to 39 x 5"
tmux_ send-keys -t explorer Escape
expect_ended_restored 0

# Fewer colours: the nearest of the 256, or none at all.
start_explorer "$explorer" 100 80
wait_for_screen '^Coords: 10 10' || fail "no text display with 256 colours"
check_cells galaxy 256
kill -HUP "$(explorer_pid "$explorer")"
expect_ended_restored 129

start_explorer "$explorer" 100 80 NO_COLOR=1
wait_for_screen '^Coords: 10 10' || fail "no text display without colour"
check_cells galaxy none
pane_with_colours | grep -q $'\x1b\[38' && fail "colour codes despite NO_COLOR"
tmux_ send-keys -t explorer Escape
expect_ended_restored 0

# Every word the frame shows is text in the terminal: F1's list of keys over
# the map, the scanner's G prompt with what is typed, F12's message on the
# bottom row; and the map cells around them are still the universe's.
mkdir -p "$TMUX_WORK/config" "$TMUX_WORK/pictures"
echo "XDG_PICTURES_DIR=\"$TMUX_WORK/pictures\"" >"$TMUX_WORK/config/user-dirs.dirs"
start_explorer "$explorer" 100 80 COLORTERM=truecolor HOME="$TMUX_WORK" \
  XDG_CONFIG_HOME="$TMUX_WORK/config"
wait_for_screen '^Coords: 10 10' || fail "no text display"
tmux_ send-keys -t explorer F1
wait_for_screen 'Arrows +move one cell; held, they repeat' || fail "F1's panel is not text"
wait_for_screen 'F12 +save the picture as a PNG' || fail "F1's panel is cut"
check_cells galaxy truecolor --cover 21 39 11 62
tmux_ send-keys -t explorer F1
settle
check_cells galaxy truecolor

tmux_ send-keys -t explorer m
sleep 0.1
tmux_ send-keys -t explorer g
wait_for_screen 'Go to X Y: _' || fail "the G prompt is not shown"
tmux_ send-keys -t explorer 1 2 3 Space 4 5
wait_for_screen 'Go to X Y: 123 45_' || fail "what is typed is not shown"
# A terminal sends keypad arrows as digits, but in a prompt they are digits only.
wait_for_screen '^Coords: 10 10' || fail "typed digits moved the crosshair"
tmux_ send-keys -t explorer Enter
wait_for_screen '^Coords: 123 45' || fail "the prompt did not go to 123 45"
tmux_ send-keys -t explorer m
settle
check_cells galaxy truecolor
tap 6 1
wait_for_screen '^Coords: 124 45' || fail "the digit 6 did not move right as the keypad does"
tap 2 1
wait_for_screen '^Coords: 124 46' || fail "the digit 2 did not move down as the keypad does"

tmux_ send-keys -t explorer F12
wait_for_screen "^Saved $TMUX_WORK/pictures/glyphverse-L2-124-46.png" ||
  fail "F12's message is not on the bottom row"
[[ -s "$TMUX_WORK/pictures/glyphverse-L2-124-46.png" ]] || fail "F12 saved no picture"
check_cells galaxy truecolor
tmux_ send-keys -t explorer Escape
expect_ended_restored 0
echo "terminal picture test ok"
