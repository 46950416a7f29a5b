#!/usr/bin/env bash
# What a person finds and keeps, in a terminal: I tells what the bright
# star at (73, 2) holds, B bookmarks it, entering it is logged as a first
# visit, Shift+B takes the explorer back to it from elsewhere, C shows its
# link, and after Esc both glyphverse --continue and the query tool find it
# again.
#   keep_test.sh EXPLORER QUERY_TOOL
set -u
explorer=$1
query=$2
source "$(dirname "$0")/tmux_lib.sh"
database=$TMUX_WORK/kept.db

# Goes to (x, y) through the scanner's G prompt.
go_to() {
  tmux_ send-keys -t explorer m
  sleep 0.1
  tmux_ send-keys -t explorer g "$1 $2" Enter
  wait_for_screen "^Coords: $1 $2" || fail "the scanner did not go to ($1, $2)"
  tmux_ send-keys -t explorer m
}

start_explorer "$explorer" 100 80 GLYPHVERSE_DATABASE="$database" HOME="$TMUX_WORK"
wait_for_screen '^Coords: 10 10' || fail "no text display"
go_to 73 2
tmux_ send-keys -t explorer i
wait_for_screen ' Galaxy *$' || fail "I does not name the level"
wait_for_screen ' 0 stars, 1 planet *$' || fail "I does not count the bodies"
wait_for_screen ' Nebula 161, bright' || fail "I does not say how bright the nebula is"
tmux_ send-keys -t explorer i
tmux_ send-keys -t explorer b
wait_for_screen '^Bookmarked Geltayf 5 at 2/73/2' || fail "B did not bookmark the system"
sleep 0.6  # the level keys work half a second after the start
tmux_ send-keys -t explorer Space
wait_for_screen '^viewLevel: 3' || fail "Space did not enter the system"
wait_for_screen '^First visit to Geltayf 5' || fail "the first visit was not logged"
tmux_ send-keys -t explorer l
wait_for_screen '\* .*Geltayf 5  0 stars 1 planets' || fail "the log does not show the visit"
tmux_ send-keys -t explorer Escape
sleep 0.6
tmux_ send-keys -t explorer BSpace
wait_for_screen '^viewLevel: 2' || fail "Backspace did not go back to the galaxy"

go_to 1000 1000
tmux_ send-keys -t explorer B
wait_for_screen 'Geltayf 5  2/73/2' || fail "the bookmarks list does not show the bookmark"
tmux_ send-keys -t explorer Enter
wait_for_screen '^Coords: 73 2' || fail "Enter in the list did not travel to the bookmark"
tmux_ send-keys -t explorer c
wait_for_screen '^glyphverse:2/73/2' || fail "C did not show the link"
tmux_ send-keys -t explorer Escape
expect_ended_restored 0

"$query" --database "$database" --bookmarks | grep -q $'\t2/73/2\tglyphverse:2/73/2\tGeltayf 5\t' ||
  fail "the query tool does not list the bookmark"
start_explorer "$explorer" 100 80 GLYPHVERSE_DATABASE="$database" HOME="$TMUX_WORK"
wait_for_screen '^Coords: 10 10' || fail "with no argument the explorer does not start at (10, 10)"
tmux_ kill-session -t explorer
tmux_ new-session -d -s explorer -x 100 -y 80 \
  "env -u DISPLAY -u WAYLAND_DISPLAY GLYPHVERSE_DATABASE='$database' '$explorer' --continue; sleep 60"
wait_for_screen '^Coords: 73 2' || fail "--continue did not start where the last run ended"
tmux_ send-keys -t explorer Escape
echo "keep test ok"
