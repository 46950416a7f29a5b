#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (address and undefined-behaviour
# sanitizers on) and runs each for a bounded time from the seeds here.
#   tests/fuzz/run.sh [SECONDS_EACH]   (default 25)
# A finding stops the run with the fuzzer's report and a non-zero status;
# the input that found it is saved in build/fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/../.."
seconds=${1:-25}
build=build/fuzz
clang=${CLANGXX:-clang++}

# The compiler is chosen once, when the build directory is made.
compiler=()
[[ -f "$build/CMakeCache.txt" ]] || compiler=(-DCMAKE_CXX_COMPILER="$clang")
cmake -S . -B "$build" -G Ninja "${compiler[@]}" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS=-fsanitize=fuzzer-no-link -DGLYPHVERSE_SANITIZE=ON -DGLYPHVERSE_WERROR=ON \
  -DGLYPHVERSE_FUZZ=ON -DGLYPHVERSE_BENCH=OFF -DGLYPHVERSE_WINDOW=OFF -DGLYPHVERSE_PNG=ON >/dev/null
cmake --build "$build" -j 2 --target query_line_fuzzer script_fuzzer

mkdir -p "$build/findings"
for target in query_line script; do
  corpus=$build/corpus/$target
  log=$build/$target.log
  mkdir -p "$corpus"
  echo "fuzz: $target for ${seconds} s"
  if ! "$build/bin/${target}_fuzzer" "$corpus" "tests/fuzz/seeds/$target" \
    -dict="tests/fuzz/$target.dict" -max_total_time="$seconds" -max_len=4096 -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$build/findings/$target-" \
    >"$log" 2>&1; then
    tail -n 60 "$log" >&2
    echo "fuzz: $target found a fault; the input is in $build/findings" >&2
    exit 1
  fi
  grep -E '^stat::(number_of_executed_units|peak_rss_mb)' "$log" | sed 's/^/  /'
done
echo "fuzz: no findings"
