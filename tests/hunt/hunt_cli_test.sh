#!/usr/bin/env bash
# glyphverse-hunt as a program: its catalogue equals a brute-force scan (also
# of a region across both world edges), whatever the threads, and whatever
# interrupted it; another hunt onto a catalogue is refused and leaves it as
# it was; bad arguments exit 2.
set -u
hunt=$1
query=$2
dir=$(mktemp -d)
running=
mounted=
trap 'kill -9 $running 2>/dev/null; [[ -n $mounted ]] && umount "$mounted"; rm -rf "$dir"' EXIT
source "$(dirname "$0")/hunt_lib.sh"

# Brute force: a plain region with a name filter, one across both edges,
# and rows as wide as a tile's.
"$hunt" 100 200 40 30 'stars>=1' 'name=E' --quiet --tile-side 16 --out "$dir/plain.db" >"$dir/out" ||
  fail "plain hunt exited $?"
[[ $(tail -n1 "$dir/out") == 1200$'\t'* ]] || fail "last line '$(tail -n1 "$dir/out")'"
[[ $(catalogue_text "$dir/plain.db") == $(brute_force 100 200 40 30 1 0 0 e) ]] ||
  fail "the plain region differs from a brute-force scan"
"$hunt" -20 16777200 45 30 'planets>=3' 'bright>=20' --quiet --tile-side 16 --out "$dir/edge.db" \
  >/dev/null || fail "hunt across the edges exited $?"
[[ $(catalogue_text "$dir/edge.db") == $(brute_force -20 16777200 45 30 0 3 20 '') ]] ||
  fail "the region across both edges differs from a brute-force scan"
[[ $("$query" --catalogue "$dir/edge.db" | wc -l) -gt 0 ]] || fail "no matches to compare"
# Rows this wide take the blended path.
"$hunt" -600 5 1200 3 'planets>=2' --quiet --out "$dir/wide.db" >/dev/null || fail "wide hunt exited $?"
[[ $(catalogue_text "$dir/wide.db") == $(brute_force -600 5 1200 3 0 2 0 '') ]] ||
  fail "a wide region differs from a brute-force scan"

# 1 and 3 threads, and a hunt killed mid-way then run again: the same catalogue.
region=(0 0 4096 4096 'planets>=9' --tile-side 64 --quiet)
"$hunt" "${region[@]}" --threads 1 --out "$dir/one.db" >"$dir/one.out" || fail "1 thread exited $?"
"$hunt" "${region[@]}" --threads 3 --out "$dir/three.db" >"$dir/three.out" || fail "3 threads exited $?"
whole=$(catalogue_text "$dir/one.db")
[[ $(catalogue_text "$dir/three.db") == "$whole" ]] || fail "3 threads differ from 1"
cmp -s "$dir/one.out" "$dir/three.out" || fail "the totals differ"

all_stars=$(stars_done "$dir/one.db")
"$hunt" "${region[@]}" --threads 1 --out "$dir/killed.db" >/dev/null &
running=$!
for ((i = 0; i < 600; ++i)); do
  [[ $(stars_done "$dir/killed.db") -gt 0 ]] && break
  sleep 0.05
done
{ kill -9 $running && wait $running; } 2>/dev/null  # without the shell's "Killed"
running=
done_then=$(stars_done "$dir/killed.db")
((done_then > 0 && done_then < all_stars)) ||
  fail "the kill came too early or too late ($done_then of $all_stars stars done)"
"$hunt" "${region[@]}" --threads 1 --out "$dir/killed.db" >"$dir/killed.out" || fail "rerun exited $?"
[[ $(catalogue_text "$dir/killed.db") == "$whole" ]] || fail "killed and resumed differs"
cmp -s "$dir/one.out" "$dir/killed.out" || fail "killed and resumed: other totals"

# Another hunt onto a catalogue: status 2, the file unchanged.
cp "$dir/plain.db" "$dir/before.db"
"$hunt" 100 200 40 30 'stars>=2' --quiet --tile-side 16 --out "$dir/plain.db" >/dev/null 2>"$dir/err"
[[ $? -eq 2 && -s "$dir/err" ]] || fail "another hunt onto the catalogue must exit 2 with a reason"
cmp -s "$dir/plain.db" "$dir/before.db" || fail "a refused hunt changed the catalogue"
printf 'not a catalogue' >"$dir/text"
"$hunt" 0 0 10 10 --out "$dir/text" >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "a text file must be refused"
[[ $(cat "$dir/text") == 'not a catalogue' ]] || fail "a refused file was changed"

# A full disk stops the hunt with the reason and status 1, the catalogue
# holding whole tiles: with no filter every star is listed, so as many
# systems as the census counts stars. Only root can mount a small disk, and
# a container may refuse it.
if [[ $(id -u) -eq 0 ]] && mkdir "$dir/small" &&
  mount -t tmpfs -o size=256k tmpfs "$dir/small" 2>/dev/null; then
  mounted=$dir/small
  "$hunt" 0 0 2048 2048 --tile-side 64 --quiet --out "$dir/small/c.db" >/dev/null 2>"$dir/err"
  status=$?
  [[ $status -eq 1 ]] && grep -q full "$dir/err" ||
    fail "a full disk must stop the hunt with status 1 and say so: $status, $(cat "$dir/err")"
  listed=$("$query" --catalogue "$dir/small/c.db" | wc -l)
  counted=$(stars_done "$dir/small/c.db")
  ((listed > 0 && listed == counted)) || fail "after a full disk: $listed listed, $counted counted"
fi

# Bad arguments: status 2 and a reason.
for args in "0 0 0 10" "0 0 10" "0 0 10 10 planets>=11" "0 0 10 10 radius=5" "x 0 10 10" \
  "0 0 16777217 1" "--all --tile-side 1"; do
  # shellcheck disable=SC2086
  "$hunt" $args --out "$dir/bad.db" >/dev/null 2>"$dir/err"
  [[ $? -eq 2 && -s "$dir/err" && ! -e "$dir/bad.db" ]] || fail "'$args' must exit 2 with a reason"
done
"$hunt" 0 0 10 10 >/dev/null 2>&1; [[ $? -eq 2 ]] || fail "no --out must exit 2"
[[ $("$hunt" --help) == *"--out"* ]] || fail "--help"
echo "hunt cli: ok"
