#!/usr/bin/env bash
# The universe must be the same in every build: build types, compilers and
# CPUs. Runs the same queries and the same scripted frame through the tools of
# each build directory given and fails if any answer or pixel differs from the
# first directory's. A directory that is not configured yet is configured with
# the preset of its name (build/clang, build/aarch64 ...); the two tools are
# brought up to date in each. A cross build's programs run under the emulator
# its toolchain names (CMAKE_CROSSCOMPILING_EMULATOR). A build without libpng
# has no snapshot tool: it is compared on the queries alone, and said so;
# except the Emscripten build (its programs are .js files that Node runs),
# whose frame_pixels writes the scripted frame's raw pixels, compared with
# the first directory's PNG.
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
script="hold right+up 40; hold space 1; hold left 20; wait 20; hold space 1; hold down 9"

# Whether the build has the target that makes this file (bin/...).
has_output() {
  # grep reads all of ninja's output: with -q it could stop early and fail the pipe.
  ninja -C "$1" -t targets all | grep "^$2:" >/dev/null
}

# Configures (when needed) and builds the tools of one build directory.
build_tools() {
  local dir=$1
  if [[ ! -f "$dir/CMakeCache.txt" ]]; then
    cmake --preset "$(basename "$dir")" >/dev/null
  fi
  local targets=(glyphverse-query)
  has_output "$dir" bin/glyphverse-snapshot && targets+=(glyphverse-snapshot)
  has_output "$dir" bin/frame_pixels.js && targets+=(frame_pixels)
  cmake --build "$dir" -j 2 --target "${targets[@]}" >/dev/null
}

# The first directory's frame as raw pixels, decoded from its PNG once.
first_frame_rgb() {
  if [[ ! -f "$work/$first.rgb" ]]; then
    [[ -d tests/web/node_modules ]] || npm ci --prefix tests/web --no-audit --no-fund >/dev/null
    node tests/web/png_rgb.mjs "$work/$first.png" "$work/$first.rgb"
  fi
}

# The command that runs this build's programs here: empty, or an emulator.
emulator_of() {
  sed -n 's/^CMAKE_CROSSCOMPILING_EMULATOR:[A-Z]*=//p' "$1/CMakeCache.txt" | tr ';' ' '
}

status=0
first=""
index=0
for dir in "$@"; do
  index=$((index + 1))
  name="$index-$(basename "$dir")"
  build_tools "$dir"
  read -r -a run <<<"$(emulator_of "$dir")"
  suffix=""
  [[ -f "$dir/bin/glyphverse-query.js" ]] && suffix=.js
  "${run[@]}" "$dir/bin/glyphverse-query$suffix" <"$work/queries" >"$work/$name.answers"
  kinds=(answers)
  if [[ -x "$dir/bin/glyphverse-snapshot" ]]; then
    "${run[@]}" "$dir/bin/glyphverse-snapshot" --start 16777200,3 --script "$script" \
      --out "$work/$name.png" >"$work/$name.json"
    kinds+=(png json)
  elif [[ -f "$dir/bin/frame_pixels.js" ]]; then
    "${run[@]}" "$dir/bin/frame_pixels.js" --start 16777200,3 --script "$script" \
      --out "$work/$name.rgb" >"$work/$name.json"
    kinds+=(rgb json)
  fi
  if [[ -z "$first" ]]; then
    first=$name
    [[ ${#kinds[@]} -eq 3 ]] || { echo "cross-build check: $dir needs the snapshot tool" >&2; exit 2; }
    continue
  fi
  [[ ${#kinds[@]} -eq 3 ]] || echo "cross-build check: $name has no snapshot tool, compared on queries only"
  [[ " ${kinds[*]} " == *" rgb "* ]] && first_frame_rgb
  for kind in "${kinds[@]}"; do
    if ! cmp -s "$work/$first.$kind" "$work/$name.$kind"; then
      echo "cross-build check: $first and $name differ in $kind" >&2
      status=1
    fi
  done
done
[[ $status -eq 0 ]] && echo "cross-build check: $# builds ($*) agree on $(wc -l <"$work/queries") queries and a scripted run"
exit $status
