#!/usr/bin/env bash
# gen/float_evaluation.h compiles for plain IEEE doubles and stops a build for
# x87 arithmetic (GCC's -mfpmath=387 on x86-64) or -ffast-math, which would
# generate a different universe.
set -u
compiler=$1 source_dir=$2
fail() { echo "FAIL: $*" >&2; exit 1; }

guard() { echo '#include "gen/float_evaluation.h"' |
  "$compiler" -std=c++20 -fsyntax-only -I"$source_dir" "$@" -x c++ - 2>&1; }

out=$(guard) || fail "refuses the default build: $out"
out=$(guard -mfpmath=387) && fail "accepts x87 arithmetic"
[[ $out == *"evaluated in their own type"* ]] || fail "x87 refused without the reason: $out"
out=$(guard -ffast-math) && fail "accepts -ffast-math"
[[ $out == *"without -ffast-math"* ]] || fail "-ffast-math refused without the reason: $out"
echo "float guard ok"
