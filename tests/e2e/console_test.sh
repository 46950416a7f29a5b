#!/usr/bin/env bash
# Without a display server the explorer runs in the terminal: the text display
# appears, an arrow key moves (and is never taken for Esc), Esc ends the
# program with status 0, and the terminal is given back as it was.
set -u
explorer=$1
work=$(mktemp -d)
socket="glyphverse-test-$$"
tmux_() { tmux -L "$socket" "$@"; }
trap 'tmux_ kill-server 2>/dev/null; rm -rf "$work"' EXIT
fail() {
  echo "FAIL: $*" >&2
  tmux_ capture-pane -p -t explorer >&2 2>/dev/null
  exit 1
}

wait_for_screen() {  # pattern
  for _ in $(seq 100); do
    tmux_ capture-pane -p -t explorer 2>/dev/null | grep -qE "$1" && return 0
    sleep 0.05
  done
  return 1
}

tmux_ new-session -d -s explorer -x 100 -y 80 \
  "stty -a > '$work/before'; env -u DISPLAY -u WAYLAND_DISPLAY '$explorer' 2>'$work/err';
   echo \$? > '$work/status'; stty -a > '$work/after'; sleep 30"
wait_for_screen '^Coords: 10 10' || fail "no text display in the terminal"
wait_for_screen '^viewLevel: 2' || fail "no view level line"

tmux_ send-keys -t explorer Right
wait_for_screen '^Coords: 1[1-9] 10' || fail "the Right arrow did not move the explorer"
[[ -e "$work/status" ]] && fail "an arrow key ended the program"

tmux_ send-keys -t explorer Escape
for _ in $(seq 100); do [[ -s "$work/status" ]] && break; sleep 0.05; done
[[ -s "$work/status" ]] || fail "Esc did not end the program"
[[ $(cat "$work/status") == 0 ]] || fail "exit status $(cat "$work/status") after Esc"
for _ in $(seq 40); do [[ -s "$work/after" ]] && break; sleep 0.05; done
cmp -s "$work/before" "$work/after" || fail "terminal settings not restored: $(diff "$work/before" "$work/after")"
echo "console test ok"
