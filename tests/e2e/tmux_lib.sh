# Shared helpers of the terminal tests: a private tmux server whose panes run
# the explorer without a display server. Source it; it cleans up on exit.

TMUX_WORK=$(mktemp -d)
TMUX_SOCKET="glyphverse-test-$$"
tmux_() { tmux -L "$TMUX_SOCKET" "$@"; }
trap 'tmux_ kill-server 2>/dev/null; rm -rf "$TMUX_WORK"' EXIT
# A session that outlives the explorer's, so that killing the explorer's
# session never ends the server while the next one starts.
tmux_ new-session -d -s keep "sleep 3600"

fail() {
  echo "FAIL: $*" >&2
  tmux_ capture-pane -p -t explorer >&2 2>/dev/null
  exit 1
}

# Starts the explorer in a pane of COLUMNS x ROWS with the given environment
# settings, recording the terminal's settings before and after and the exit
# status in $TMUX_WORK.
start_explorer() {  # explorer columns rows [VAR=value ...]
  local explorer=$1 columns=$2 rows=$3
  shift 3
  rm -f "$TMUX_WORK"/{before,after,status,err}
  tmux_ kill-session -t explorer 2>/dev/null
  tmux_ new-session -d -s explorer -x "$columns" -y "$rows" \
    "stty -a > '$TMUX_WORK/before'; env -u DISPLAY -u WAYLAND_DISPLAY -u NO_COLOR -u COLORTERM $* \
     '$explorer' 2>'$TMUX_WORK/err'; echo \$? > '$TMUX_WORK/status'; \
     stty -a > '$TMUX_WORK/after'; sleep 60"
}

pane() { tmux_ capture-pane -p -t explorer 2>/dev/null; }

# Waits until the picture has stopped changing (but for the frame rate).
settle() {
  local last="" now
  for _ in $(seq 40); do
    now=$(pane | sed 1d)
    [[ -n "$last" && "$now" == "$last" ]] && return 0
    last=$now
    sleep 0.1
  done
  return 1
}
pane_with_colours() { tmux_ capture-pane -e -p -t explorer 2>/dev/null; }

wait_for_screen() {  # pattern
  for _ in $(seq 100); do
    pane | grep -qE "$1" && return 0
    sleep 0.05
  done
  return 1
}

# Waits for the explorer to end and checks its status and the terminal.
expect_ended_restored() {  # wanted-status
  for _ in $(seq 100); do [[ -s "$TMUX_WORK/after" ]] && break; sleep 0.05; done
  [[ -s "$TMUX_WORK/status" ]] || fail "the explorer did not end"
  [[ $(cat "$TMUX_WORK/status") == "$1" ]] || fail "exit status $(cat "$TMUX_WORK/status"), wanted $1"
  # The window's size may have changed meanwhile; every setting must not.
  local sizes='s/rows [0-9]*; columns [0-9]*;//'
  diff <(sed "$sizes" "$TMUX_WORK/before") <(sed "$sizes" "$TMUX_WORK/after") >/dev/null ||
    fail "terminal settings not restored: $(diff "$TMUX_WORK/before" "$TMUX_WORK/after")"
}

# The explorer of this test's pane: the child of the pane's shell (env execs
# it), never another test's explorer of the same program.
explorer_pid() {
  pgrep -P "$(tmux_ display-message -p -t explorer '#{pane_pid}')" -f "$(basename "$1")" | head -n1
}
