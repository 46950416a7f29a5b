#!/usr/bin/env bash
# A catalogue in the explorer (run by the snapshot tool): its panel opens on
# the first system, Enter leaves the explorer on that star; a file that is no
# catalogue is refused with status 2.
set -u
hunt=$1
query=$2
snapshot=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
source "$(dirname "$0")/hunt_lib.sh"

"$hunt" 5000 7000 300 300 'planets>=8' 'bright>=100' --quiet --out "$dir/c.db" >/dev/null ||
  fail "hunt exited $?"
first=$("$query" --catalogue "$dir/c.db" | head -n1 | cut -f1,2 --output-delimiter=/)
[[ -n $first ]] || fail "the catalogue holds no system"
json=$("$snapshot" --catalogue "$dir/c.db" --script "wait 2; type enter; wait 2" --out "$dir/s.png") ||
  fail "snapshot exited $?"
[[ $json == *"\"place\":\"2/$first\""* ]] || fail "Enter should travel to 2/$first: $json"

printf 'not a catalogue' >"$dir/text"
"$snapshot" --catalogue "$dir/text" --out "$dir/t.png" >/dev/null 2>"$dir/err"
[[ $? -eq 2 && -s "$dir/err" && ! -e "$dir/t.png" ]] || fail "a text file must be refused with 2"
[[ $(cat "$dir/text") == 'not a catalogue' ]] || fail "a refused file was changed"
echo "hunt explorer: ok"
