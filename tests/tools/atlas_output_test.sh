#!/usr/bin/env bash
# What glyphverse-atlas does to the file at --out: nothing is left behind
# whatever ends the render, SIGKILL included; a file size limit is an error
# that names the file; a pipe, standard output or a device is written in
# place and stays what it was.
set -u
atlas=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
no_leftovers() { [[ -z $(ls -A "$dir/out") ]] || fail "$1 left $(ls -A "$dir/out")"; }
is_png() { [[ $(head -c 8 "$1" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]]; }
mkdir "$dir/out"

# Ended halfway through a poster that takes seconds: no file at all, and the
# status the signal gives. Job control gives the render its own process group
# with SIGINT and SIGQUIT not ignored, as in the foreground of a terminal.
for signal in INT QUIT USR1 KILL; do
  set -m
  "$atlas" galaxy 0 0 30000 30000 --threads 1 --quiet --out "$dir/out/big.png" &
  pid=$!
  set +m
  # Under way once the file being written is open.
  for _ in $(seq 100); do
    ls -l "/proc/$pid/fd" 2>/dev/null | grep -q "$dir/out/" && break
    sleep 0.05
  done
  sleep 0.3
  kill -"$signal" "$pid"
  wait "$pid"; status=$?
  [[ $status -eq $((128 + $(kill -l "$signal"))) ]] || fail "SIG$signal should end the render, got $status"
  no_leftovers "SIG$signal"
done

# Over the file size limit: an error naming the file, the old picture kept.
"$atlas" galaxy 0 0 8 8 --quiet --out "$dir/out/old.png" || fail "a small render exited $?"
cp "$dir/out/old.png" "$dir/before.png"
(ulimit -f 4; "$atlas" galaxy 0 0 300 300 --quiet --out "$dir/out/old.png" 2>"$dir/err"); status=$?
[[ $status -eq 1 ]] && grep -q "cannot write $dir/out/old.png: File too large" "$dir/err" ||
  fail "a write over the file size limit: status $status, $(cat "$dir/err")"
cmp -s "$dir/out/old.png" "$dir/before.png" || fail "a failed write changed the old picture"
[[ $(ls -A "$dir/out") == old.png ]] || fail "a failed write left $(ls -A "$dir/out")"
rm "$dir/out/old.png"

# A pipe gets the picture and stays a pipe.
mkfifo "$dir/out/fifo"
cat "$dir/out/fifo" >"$dir/from-fifo" &
"$atlas" galaxy 0 0 5 5 --quiet --out "$dir/out/fifo" || fail "--out FIFO exited $?"
wait
[[ -p "$dir/out/fifo" ]] && is_png "$dir/from-fifo" || fail "the FIFO was replaced or got no PNG"

# /dev/stdout into a pipe and /dev/null, the machine's own, mounted
# read-only in a private namespace so that a fault cannot harm them.
if unshare -rm true 2>/dev/null; then
  with_dev_read_only() { unshare -rm bash -c 'mount -o remount,bind,ro /dev && "$@"' bash "$@"; }
  with_dev_read_only "$atlas" galaxy 0 0 5 5 --quiet --out /dev/stdout | cat >"$dir/from-pipe"
  [[ ${PIPESTATUS[0]} -eq 0 ]] && is_png "$dir/from-pipe" || fail "/dev/stdout into a pipe"
  with_dev_read_only "$atlas" galaxy 0 0 5 5 --quiet --out /dev/null 2>"$dir/err" ||
    fail "--out /dev/null: $(cat "$dir/err")"
else
  echo "skipped /dev/stdout and /dev/null: no user namespaces here"
fi
[[ -L /dev/stdout && -c /dev/null ]] || fail "/dev/stdout or /dev/null was replaced"
echo "atlas output ok"
