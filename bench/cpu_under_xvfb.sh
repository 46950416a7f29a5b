#!/usr/bin/env bash
# What the explorer costs a user: the real program in its own Xvfb server,
# standing still for a while and then scrolling with the Right arrow held.
# For each phase it reports the process's CPU time (user + system, all
# threads, from /proc/PID/stat) as a share of one core, the frames it ran
# per second, and the frame rate its own text display showed.
#
#   bench/cpu_under_xvfb.sh [EXPLORER [SECONDS]]
#
# EXPLORER defaults to build/release/bin/glyphverse; glyphverse-snapshot must
# sit beside it. Frames are counted without touching the program: each frame
# sleeps once, so its clock_nanosleep calls are counted (perf) or, without
# perf, the main thread's voluntary context switches (which also count the
# few waits for the X server). The rate on screen is read from screenshots:
# each digit cell after "FPS: " is matched against digits the snapshot tool
# draws.
set -euo pipefail
cd "$(dirname "$0")/.."
explorer=${1:-build/release/bin/glyphverse}
seconds=${2:-10}
snapshot=$(dirname "$explorer")/glyphverse-snapshot
[[ -x $explorer && -x $snapshot ]] || { echo "needs $explorer and $snapshot (make bench builds them)" >&2; exit 2; }
for tool in Xvfb xdotool import convert; do
  command -v "$tool" >/dev/null || { echo "needs $tool (scripts/install-deps.sh)" >&2; exit 2; }
done

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
pids+=($!)
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=":$(head -n1 "$work/display")"

"$explorer" >/dev/null 2>&1 &
app=$!
pids+=("$app")
title=$(basename "$explorer")
title=${title%.*}  # the window is titled with the program's name
window=$(timeout 10 xdotool search --sync --onlyvisible --name "^${title}\$" | head -n1) || true
[[ -n $window ]] || { echo "no window titled $title appeared" >&2; exit 1; }
xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
sleep 1

# Text rows as strings of 0 and 1 per pixel: row `row` (from 1) of a PNG.
text_row_bits() {
  convert "$1" -crop "600x8+0+$((8 * ($2 - 1)))" +repage -colorspace gray -threshold 1% \
    -depth 8 gray:- | od -An -v -tu1 | tr -s ' \n' '\n\n' | grep -v '^$' | sed 's/255/1/'
}

# Digit templates: the snapshot at (1234567, 8901234) prints "Coords: 1234567 8901234"
# on row 2, so columns 9 to 15 hold 1..7 and columns 17 to 23 hold 8, 9, 0, 1...
"$snapshot" --start 1234567,8901234 --out "$work/digits.png" >/dev/null
text_row_bits "$work/digits.png" 2 >"$work/digits.bits"

# The number after "FPS: " (columns 6 on) in a screenshot's first row.
read_fps() {
  text_row_bits "$1" 1 | awk -v digits="$work/digits.bits" '
    function cell(bits, column,   s, y, x) {
      s = ""
      for (y = 0; y < 8; ++y) for (x = 0; x < 8; ++x) s = s bits[y * 600 + 8 * (column - 1) + x]
      return s
    }
    BEGIN {
      n = 0
      while ((getline b < digits) > 0) template_bits[n++] = b
      split("1 2 3 4 5 6 7", first); split("8 9 0", second)
      for (k = 1; k <= 7; ++k) glyph[cell(template_bits, 8 + k)] = first[k]
      for (k = 1; k <= 3; ++k) glyph[cell(template_bits, 16 + k)] = second[k]
    }
    { shot[NR - 1] = $1 }
    END {
      text = ""
      for (column = 6; column <= 15; ++column) {
        c = cell(shot, column)
        if (!(c in glyph)) break
        text = text glyph[c]
      }
      print text == "" ? "?" : text
    }'
}

cpu_ticks() { awk '{print $14 + $15}' "/proc/$app/stat"; }
sleeps_counted() { command -v perf >/dev/null && perf stat -e syscalls:sys_enter_clock_nanosleep true >/dev/null 2>&1; }

# Screenshots about once a second while a phase runs.
shoot() {
  for i in $(seq "$seconds"); do
    sleep 0.9
    import -window "$window" "$work/$1-$i.png" 2>/dev/null || true
  done
}

# One phase: CPU share, frames per second, and the rates the screen showed.
measure() {
  local name=$1 ticks0 ticks1 start end frames fps
  shoot "$name" &
  local shooter=$!
  ticks0=$(cpu_ticks)
  start=$(date +%s.%N)
  if sleeps_counted; then
    perf stat -x, -e syscalls:sys_enter_clock_nanosleep -p "$app" -o "$work/perf" -- sleep "$seconds"
    frames=$(grep clock_nanosleep "$work/perf" | cut -d, -f1)
  else
    local switches0
    switches0=$(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$app/task/$app/status")
    sleep "$seconds"
    frames=$(($(awk '/^voluntary_ctxt_switches/{print $2}' "/proc/$app/task/$app/status") - switches0))
  fi
  end=$(date +%s.%N)
  ticks1=$(cpu_ticks)
  wait "$shooter"
  fps=$(for shot in "$work/$name"-*.png; do [[ -e $shot ]] && read_fps "$shot"; done | tr '\n' ' ')
  awk -v n="$name" -v t="$((ticks1 - ticks0))" -v hz="$(getconf CLK_TCK)" -v s="$start" -v e="$end" \
    -v f="$frames" -v shown="$fps" 'BEGIN {
      d = e - s; m = split(shown, v, " "); sum = 0; k = 0
      for (i = 1; i <= m; ++i) if (v[i] != "?") { sum += v[i]; ++k }
      printf "%-9s cpu %5.1f %% of a core   frames %5.0f /s   shown FPS mean %s (%s)\n",
        n, 100 * t / hz / d, f / d, k ? sprintf("%.0f", sum / k) : "?", shown
    }'
}

measure still
xdotool keydown Right
measure scrolling
xdotool keyup Right
xdotool key Escape
wait "$app" 2>/dev/null || true
