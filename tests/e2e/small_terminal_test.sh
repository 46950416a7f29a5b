#!/usr/bin/env bash
# In the smallest usual terminal, 80 x 24: the panels can be read (I, F1,
# a search's results), a pasted filter arrives whole and its search travels,
# a held F12 saves one picture, and C puts the link on the terminal's
# clipboard (here tmux's buffer).
#   small_terminal_test.sh EXPLORER QUERY_TOOL
set -u
explorer=$1
query=$2
source "$(dirname "$0")/tmux_lib.sh"
pictures=$TMUX_WORK/pictures
mkdir -p "$pictures"
tmux_ set-option -g set-clipboard on

start_explorer "$explorer" 80 24 XDG_PICTURES_DIR="$pictures"
wait_for_screen '^Coords: 10 10' || fail "no text display"

tmux_ send-keys -t explorer i
wait_for_screen ' Galaxy *$' || fail "I's panel cannot be read"
wait_for_screen ' No star here' || fail "I's panel is cut"
tmux_ send-keys -t explorer i F1
wait_for_screen ' Keys *$' || fail "F1 lost its first line"
wait_for_screen ' Esc +quit' || fail "F1 lost its last line"
tmux_ send-keys -t explorer F1

filter='bright>=150 planets>=5 stars>=1 radius=800'
tmux_ send-keys -t explorer /
wait_for_screen 'Find stars:' || fail "the search prompt cannot be read"
tmux_ set-buffer -b filter "$filter" \; paste-buffer -p -d -b filter -t explorer
wait_for_screen "Find stars: $filter" || fail "the paste did not arrive whole"
tmux_ send-keys -t explorer Enter
wait_for_screen 'stars within 800 cells around 10 10 match' || fail "the results cannot be read"
wait_for_screen '> [0-9]+[.][0-9]+  ' || fail "the chosen result cannot be read"
read -r x y _ < <("$query" nearest 10 10 800 ${filter% radius=800})
tmux_ send-keys -t explorer Enter
wait_for_screen "^Coords: $x $y" || fail "Enter did not travel to the nearest match ($x, $y)"

# Held, a terminal repeats F12 every 30 to 50 ms: one picture.
keys=(send-keys -t explorer F12)
for _ in $(seq 7); do keys+=(\; run-shell "sleep 0.04" \; send-keys -t explorer F12); done
tmux_ "${keys[@]}"
sleep 1
count=$(find "$pictures" -name '*.png' | wc -l)
[[ $count == 1 ]] || fail "a held F12 saved $count pictures"

tmux_ send-keys -t explorer c
wait_for_screen "^glyphverse:2/$x/$y" || fail "C did not show the link"
for _ in $(seq 40); do
  [[ $(tmux_ show-buffer 2>/dev/null) == "glyphverse:2/$x/$y" ]] && break
  sleep 0.05
done
[[ $(tmux_ show-buffer 2>/dev/null) == "glyphverse:2/$x/$y" ]] ||
  fail "the link did not reach the terminal's clipboard: '$(tmux_ show-buffer 2>&1)'"

tmux_ send-keys -t explorer Escape
expect_ended_restored 0
echo "small terminal test ok"
