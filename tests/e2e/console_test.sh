#!/usr/bin/env bash
# The text-only console: where standard output is no terminal the explorer
# writes its text display there as plain lines, a copy at each change (a
# terminal too small for the picture shows it in place), and reads keys from
# the terminal; Esc ends it with status 0 and the
# terminal is given back as it was. With no terminal to read keys from at all
# it says so and ends at once with status 1.
set -u
explorer=$1
source "$(dirname "$0")/tmux_lib.sh"

# What the bytes written so far show on a terminal.
shown_by() {  # file
  tmux_ kill-session -t replay 2>/dev/null
  tmux_ new-session -d -s replay -x 80 -y 24 "cat '$1'; sleep 30"
  sleep 0.2
  tmux_ capture-pane -p -t replay
}

# Standard output to a file: the text display goes there.
file_shows() {  # pattern
  for _ in $(seq 25); do
    shown_by "$TMUX_WORK/out" | grep -q "$1" && return 0
    sleep 0.1
  done
  return 1
}
start_explorer "$explorer" 100 80 COLORTERM=truecolor ">'$TMUX_WORK/out'"
file_shows '^Coords: 10 10' || fail "no text display in the output file"
# Plain lines, and nothing more while nothing but the frame rate changes.
sleep 0.5
grep -q $'\x1b' "$TMUX_WORK/out" && fail "codes in the output file: $(head -c 200 "$TMUX_WORK/out" | od -c)"
size=$(stat -c %s "$TMUX_WORK/out")
sleep 1.5
(($(stat -c %s "$TMUX_WORK/out") == size)) || fail "the output file grows while nothing changes"
tmux_ send-keys -t explorer Right
file_shows '^Coords: 11 10' || fail "the Right arrow did not move the explorer"
tmux_ send-keys -t explorer Escape
expect_ended_restored 0

# A terminal too small for the picture gets the text alone.
start_explorer "$explorer" 30 5
wait_for_screen '^Coords: 10 10' || fail "no text display in a small terminal"
pane | grep -q '▒' && fail "a map in a terminal too small for it"
tmux_ send-keys -t explorer Escape
expect_ended_restored 0

# Nothing to read keys from: a clear line and status 1, at once.
started=$(date +%s%N)
env -u DISPLAY -u WAYLAND_DISPLAY "$explorer" </dev/null >/dev/null 2>"$TMUX_WORK/err"
status=$?
elapsed=$((($(date +%s%N) - started) / 1000000))
[[ $status == 1 ]] || fail "status $status without a terminal to read keys from"
((elapsed < 1000)) || fail "took $elapsed ms to give up"
grep -q 'not a terminal' "$TMUX_WORK/err" || fail "no message: $(cat "$TMUX_WORK/err")"
(($(wc -l <"$TMUX_WORK/err") == 1)) || fail "more than one line: $(cat "$TMUX_WORK/err")"
echo "console test ok"
