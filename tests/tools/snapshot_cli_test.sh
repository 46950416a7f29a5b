#!/usr/bin/env bash
# glyphverse-snapshot as a program: PNG out, JSON line, exit statuses 2 and 1,
# and output that never destroys what was at --out when writing fails.
set -u
snapshot=$1
dir=$(mktemp -d)
mounts=()
cleanup() {
  for m in "${mounts[@]}"; do umount "$m" 2>/dev/null; done
  chmod -R u+w "$dir" 2>/dev/null
  rm -rf "$dir"
}
trap cleanup EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# A small tmpfs at $1 with mount options $2; only root can, and a container may refuse.
small_tmpfs() {
  mkdir -p "$1"
  [[ $(id -u) -eq 0 ]] && mount -t tmpfs -o "size=64k,$2" tmpfs "$1" 2>/dev/null || return 1
  mounts+=("$1")
}

json=$("$snapshot" --start 10,10 --script "wait 30; hold space 1; hold right 3" --out "$dir/s.png") \
  || fail "snapshot exited $?"
[[ "$json" == '{"x":3,"y":0,"viewLevel":3,"nebIntens":14,'* ]] || fail "json was '$json'"
[[ $(head -c 8 "$dir/s.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "no PNG"
cp "$dir/s.png" "$dir/before.png"

"$snapshot" --start nowhere --out "$dir/x.png" 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] || fail "bad argument should exit 2, got $status"
grep -q -- '--start' "$dir/err" || fail "the message must name the argument: $(cat "$dir/err")"

json=$("$snapshot" --start -1,-1 --out "$dir/x.png") || fail "--start -1,-1 exited $?"
[[ "$json" == '{"x":16777215,"y":16777215,'* ]] || fail "--start -1,-1 gave '$json'"

help=$("$snapshot" --help) || fail "--help exited $?"
for word in --help --version --start --frame-time --script --script-file --out \
  'wait N' 'hold KEYS N' 'type KEY' 'up down left right shift space alt' 'wait 30'; do
  [[ "$help" == *"$word"* ]] || fail "--help does not mention '$word'"
done
[[ $("$snapshot" --version) =~ ^glyphverse-snapshot\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version"

"$snapshot" --out '' 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] && grep -q -- '--out' "$dir/err" || fail "--out '': status $status, $(cat "$dir/err")"
"$snapshot" --out "$dir/missing/x.png" 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] || fail "unwritable output should exit 1, got $status"
grep -q 'No such file or directory' "$dir/err" || fail "no reason given: $(cat "$dir/err")"

# A write that fails part way leaves the old picture and no temporary file.
(ulimit -f 4; "$snapshot" --start 500,600 --out "$dir/s.png" 2>"$dir/err"); status=$?
[[ $status -eq 1 ]] || fail "a write over the file size limit should exit 1, got $status"
grep -q "cannot write $dir/s.png: File too large" "$dir/err" || fail "file size limit: $(cat "$dir/err")"
cmp -s "$dir/s.png" "$dir/before.png" || fail "a failed write changed the old picture"
[[ -z $(find "$dir" -name '.*') ]] || fail "a temporary file was left behind"

# The JSON line to a full device is an error; so is a device at --out, which stays.
"$snapshot" --out "$dir/x.png" >/dev/full 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] && grep -q 'No space left on device' "$dir/err" ||
  fail "JSON to a full device: status $status, $(cat "$dir/err")"
device=/dev/full
[[ $(id -u) -eq 0 ]] && mknod "$dir/full" c 1 7 && device=$dir/full
"$snapshot" --out "$device" >/dev/null 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] && grep -q 'No space left on device' "$dir/err" ||
  fail "--out $device: status $status, $(cat "$dir/err")"
[[ -c "$device" ]] || fail "--out $device removed the device node"

if small_tmpfs "$dir/small" ""; then
  cp "$dir/before.png" "$dir/small/s.png"
  head -c 100000 /dev/zero >"$dir/small/fill" 2>/dev/null
  "$snapshot" --start 500,600 --out "$dir/small/s.png" 2>"$dir/err"; status=$?
  [[ $status -eq 1 ]] && grep -q 'No space left on device' "$dir/err" ||
    fail "full disk: status $status, $(cat "$dir/err")"
  cmp -s "$dir/small/s.png" "$dir/before.png" || fail "a full disk changed the old picture"
  [[ $(ls -A "$dir/small") == $'fill\ns.png' ]] || fail "full disk left $(ls -A "$dir/small")"
else
  echo "skipped the full-disk case: mounting a small tmpfs needs root"
fi
if small_tmpfs "$dir/readonly" ro || { [[ $(id -u) -ne 0 ]] && mkdir -p "$dir/readonly" &&
  chmod a-w "$dir/readonly"; }; then
  "$snapshot" --out "$dir/readonly/x.png" 2>"$dir/err"; status=$?
  [[ $status -eq 1 ]] && grep -Eq 'Read-only file system|Permission denied' "$dir/err" ||
    fail "read-only directory: status $status, $(cat "$dir/err")"
else
  echo "skipped the read-only case: root needs a read-only mount"
fi

# A long run shows a progress bar on a terminal, and nothing when stderr is a file.
script -qec "'$snapshot' --script 'wait 2000' --out '$dir/p.png' >/dev/null" /dev/null \
  >"$dir/tty" || fail "run on a terminal failed"
grep -q '\[-*\] *0%' "$dir/tty" || fail "no progress bar on a terminal"
"$snapshot" --script 'wait 2000' --out "$dir/p.png" >/dev/null 2>"$dir/err"
[[ ! -s "$dir/err" ]] || fail "progress written to a file: $(head -c 200 "$dir/err")"
echo "snapshot CLI ok"
