#!/usr/bin/env bash
# glyphverse-snapshot as a program: PNG out, JSON line, exit statuses 2 and 1.
set -u
snapshot=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

json=$("$snapshot" --start 10,10 --script "wait 30; hold space 1; hold right 3" --out "$dir/s.png") \
  || fail "snapshot exited $?"
[[ "$json" == '{"x":3,"y":0,"viewLevel":3,"nebIntens":14,'* ]] || fail "json was '$json'"
[[ $(head -c 8 "$dir/s.png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "no PNG"

"$snapshot" --start nowhere --out "$dir/x.png" 2>"$dir/err"; status=$?
[[ $status -eq 2 ]] || fail "bad argument should exit 2, got $status"
grep -q -- '--start' "$dir/err" || fail "the message must name the argument: $(cat "$dir/err")"

"$snapshot" --out "$dir/missing/x.png" 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] || fail "unwritable output should exit 1, got $status"
[[ -s "$dir/err" ]] || fail "unwritable output needs a message"
echo "snapshot CLI ok"
