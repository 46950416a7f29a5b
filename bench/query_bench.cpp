// How many galaxy queries glyphverse-query answers a second, without its I/O.

#include <benchmark/benchmark.h>

#include <string>

#include "tools/query/query.h"

namespace glyphverse {
namespace {

void BM_GalaxyQuery(benchmark::State& run) {
  std::int64_t i = 0;
  for (auto _ : run) {
    const std::string line =
        "galaxy " + std::to_string(i * 7919 % 16777216) + " " + std::to_string(i * 31 % 16777216);
    benchmark::DoNotOptimize(answerQuery(line));
    ++i;
  }
  run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_GalaxyQuery);

}  // namespace
}  // namespace glyphverse
