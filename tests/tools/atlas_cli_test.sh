#!/usr/bin/env bash
# glyphverse-atlas as a program: a PNG of the asked size, exit status 2 for
# bad arguments and 1 for an unwritable file (what happens to the file
# itself: atlas_output_test.sh).
set -u
atlas=$1
# "no" when the build's sanitizers reserve more address space than any limit allows.
address_limits=${2:-yes}
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8}'; }
no_leftovers() { [[ -z $(ls -A "$dir/out") ]] || fail "$1 left $(ls -A "$dir/out")"; }
mkdir "$dir/out"

(cd "$dir/out" && "$atlas" galaxy -5 -5 16 9 --quiet) || fail "a small galaxy exited $?"
[[ $(png_size "$dir/out/galaxy.png") == 16x9 ]] || fail "galaxy.png is $(png_size "$dir/out/galaxy.png")"
"$atlas" planet 10 10 0 0 5 3 --scale 3 --out "$dir/out/p.png" || fail "--scale 3 exited $?"
[[ $(png_size "$dir/out/p.png") == 15x9 ]] || fail "--scale 3 gave $(png_size "$dir/out/p.png")"
"$atlas" system 40 2 0 0 3 2 --glyphs --out "$dir/out/s.png" || fail "--glyphs exited $?"
[[ $(png_size "$dir/out/s.png") == 24x16 ]] || fail "--glyphs gave $(png_size "$dir/out/s.png")"
rm "$dir/out"/*

expect_usage_error() {
  local named=$1
  shift
  "$atlas" "$@" --out "$dir/out/bad.png" >/dev/null 2>"$dir/err"
  local status=$?
  [[ $status -eq 2 ]] || fail "'$*' should exit 2, got $status"
  grep -q -- "$named" "$dir/err" || fail "'$*': the message must name $named: $(cat "$dir/err")"
  no_leftovers "'$*'"
}
expect_usage_error W galaxy 0 0 0 5
expect_usage_error H galaxy 0 0 5 -1
expect_usage_error W galaxy 0 0 268435456 1 --glyphs  # 2^31 pixels wide
expect_usage_error H planet 1 1 0 0 1 2147483648
expect_usage_error nebula nebula 0 0 5 5
expect_usage_error GY system 1
expect_usage_error X galaxy x 0 5 5
expect_usage_error glyphs galaxy 0 0 5 5 --scale 2 --glyphs
expect_usage_error threads galaxy 0 0 5 5 --threads 0
expect_usage_error compression galaxy 0 0 5 5 --compression 10
(cd "$dir/out" && "$atlas" galaxy 0 0 5 5 --out '' 2>"$dir/err"); status=$?
[[ $status -eq 2 ]] && grep -q -- '--out' "$dir/err" || fail "--out '': status $status, $(cat "$dir/err")"
no_leftovers "--out ''"

# Coordinates of any length wrap as their values would; nothing but a minus
# and digits is a number.
"$atlas" galaxy 99999999999999999999 9223372036854775807 6 4 -q --out "$dir/out/far.png" &&
  "$atlas" galaxy 1048575 16777215 6 4 -q --out "$dir/out/near.png" || fail "huge coordinates exited $?"
cmp -s "$dir/out/far.png" "$dir/out/near.png" || fail "huge coordinates did not wrap into the world"
rm "$dir/out"/*
expect_usage_error "X '0x10' is not an integer" galaxy 0x10 0 5 5
expect_usage_error "Y ' 10' is not an integer" galaxy 0 ' 10' 5 5
expect_usage_error "GX '+1' is not an integer" system +1 0 0 0 5 5
expect_usage_error "W '0x5' is not an integer" place 2/0/0 0x5 5

# Rows whose bands cannot fit in the memory the process may take are refused
# before any file is made; a smaller poster still renders under that limit.
if [[ $address_limits == yes ]]; then
  (ulimit -v 600000; "$atlas" galaxy 0 0 10000000 32 --threads 2 --out "$dir/out/wide.png" 2>"$dir/err")
  status=$?
  [[ $status -eq 1 ]] && grep -q "not enough memory for bands of 10000000 pixels a row" "$dir/err" ||
    fail "bands beyond the address space limit: status $status, $(cat "$dir/err")"
  no_leftovers "bands beyond the address space limit"
  (ulimit -v 600000; "$atlas" galaxy 0 0 3000 40 --threads 2 -q --out "$dir/out/narrow.png") ||
    fail "a narrow poster under the limit exited $?"
  rm "$dir/out"/*
fi

"$atlas" galaxy 0 0 5 5 --out "$dir/missing/x.png" 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] || fail "an unwritable file should exit 1, got $status"
grep -q "No such file or directory" "$dir/err" || fail "the message must say why: $(cat "$dir/err")"
"$atlas" galaxy 0 0 5 5 --out "$dir/out" 2>"$dir/err"; status=$?
[[ $status -eq 1 ]] || fail "a directory as the file should exit 1, got $status"
grep -q "Is a directory" "$dir/err" || fail "the message must say why: $(cat "$dir/err")"
no_leftovers "a directory as the file"

help=$("$atlas" --help) || fail "--help exited $?"
for word in 'galaxy X Y W H' 'system GX GY X Y W H' 'planet GX GY X Y W H' 'Exit status'; do
  [[ "$help" == *"$word"* ]] || fail "--help does not mention '$word'"
done
help=$("$atlas" planet --help) || fail "planet --help exited $?"
for word in --out --scale --glyphs --threads --compression --quiet; do
  [[ "$help" == *"$word"* ]] || fail "planet --help does not mention '$word'"
done
[[ $("$atlas" --version) =~ ^glyphverse-atlas\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "--version"
# Echoed input never reaches the terminal raw.
"$atlas" $'neb\e]0;x' 1 2 3 4 2>"$dir/err"
grep -q $'\e' "$dir/err" && fail "an escape byte was echoed raw"

echo "atlas CLI ok"
