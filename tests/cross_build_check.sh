#!/usr/bin/env bash
# The universe must be the same in every build type. Runs the same queries and
# the same scripted frames through the tools of each build directory given
# (building what is missing) and fails if any answer or pixel differs.
set -euo pipefail
cd "$(dirname "$0")/.."
[[ $# -ge 2 ]] || { echo "usage: $0 BUILD_DIR BUILD_DIR..." >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Queries over both world edges, a nebula, and scattered cells; names of many
# seeds; systems, their backgrounds and planet surfaces.
{
  for x in $(seq -40 40) $(seq 16777176 16777255); do
    for y in -31 -1 0 1 2 16777215 16777216; do echo "galaxy $x $y"; done
  done
  for i in $(seq 0 20000); do
    echo "galaxy $((i * 7919 % 16777216)) $((i * 104729 % 16777216))"
    echo "name $((i * 65537 - 1000000)).$((i % 10))"
  done
  for i in $(seq 0 150); do
    gx=$((i * 31337 % 16777216)); gy=$((i * 7 % 200))
    echo "system $gx $gy"
    echo "sysbg $gx $gy $((i * 13 - 40)) $((i * 17))"
    echo "planet $gx $gy $((i * 19)) $((16777215 - i))"
  done
} >"$work/queries"

status=0
first=""
for dir in "$@"; do
  preset=$(basename "$dir")
  if [[ ! -x "$dir/bin/glyphverse-query" || ! -x "$dir/bin/glyphverse-snapshot" ]]; then
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" --target glyphverse-query glyphverse-snapshot >/dev/null
  fi
  "$dir/bin/glyphverse-query" <"$work/queries" >"$work/$preset.answers"
  "$dir/bin/glyphverse-snapshot" --start 16777200,3 \
    --script "hold right+up 40; hold space 1; hold left 20; wait 20; hold space 1; hold down 9" \
    --out "$work/$preset.png" >"$work/$preset.json"
  if [[ -z "$first" ]]; then
    first=$preset
    continue
  fi
  for kind in answers png json; do
    if ! cmp -s "$work/$first.$kind" "$work/$preset.$kind"; then
      echo "cross-build check: $first and $preset differ in $kind" >&2
      status=1
    fi
  done
done
[[ $status -eq 0 ]] && echo "cross-build check: $# builds agree on $(wc -l <"$work/queries") queries and a scripted run"
exit $status
