#!/usr/bin/env bash
# A link opened on the desktop: the desktop entry's Exec line, with %u
# replaced by the link as xdg-open does, starts the explorer at that place
# (seen on its text display, in a terminal).
#   link_test.sh DESKTOP_ENTRY EXPLORER
set -u
entry=$1
explorer=$2
source "$(dirname "$0")/tmux_lib.sh"

grep -qx 'MimeType=.*x-scheme-handler/glyphverse;.*' "$entry" ||
  fail "the desktop entry does not take glyphverse: links"
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ $exec_line == 'glyphverse %u' ]] || fail "Exec line '$exec_line'"
link='glyphverse:3/1100/2100/4/7'
read -r -a command <<<"${exec_line/\%u/$link}"
command[0]=$explorer  # the program the entry names, as installed

tmux_ new-session -d -s explorer -x 80 -y 24 \
  "env -u DISPLAY -u WAYLAND_DISPLAY GLYPHVERSE_DATABASE=none $(printf '%q ' "${command[@]}"); sleep 60"
wait_for_screen '^Coords: 4 7' || fail "the link did not start the explorer at (4, 7)"
pane | grep -q '^viewLevel: 3' || fail "the link did not start the explorer in the star system"
tmux_ send-keys -t explorer Escape
echo "link test ok"
