// How fast the universe is generated: map assembly, names, systems, noise.

#include <benchmark/benchmark.h>

#include "gen/channels.h"
#include "gen/names.h"
#include "gen/noise.h"
#include "gen/star_system.h"
#include "gen/view_map.h"
#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {
namespace {

ViewState levelState(std::int32_t level) {
  ViewState state;
  state.x = 123456;
  state.y = 654321;
  state.viewLevel = level;
  buildNoiseTables(state.tables, INITIAL_NOISE_SEED);
  if (level >= SYSTEM_LEVEL) generateStarSystem(state.system, state.tables, 10, 10);
  return state;
}

// Every one of the 3721 cells, as after a change of view level.
void BM_FullMap(benchmark::State& run) {
  const ViewState state = levelState(static_cast<std::int32_t>(run.range(0)));
  ViewMap map;
  for (auto _ : run) {
    map = initViewMap(state.x, state.y);
    benchmark::DoNotOptimize(assembleViewMap(map, state));
    benchmark::ClobberMemory();
  }
  run.SetItemsProcessed(run.iterations() * MAP_CELLS);
}
BENCHMARK(BM_FullMap)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Unit(benchmark::kMicrosecond);

// One step to the right: one new column of 61 cells.
void BM_ScrollOneCell(benchmark::State& run) {
  ViewState state = levelState(static_cast<std::int32_t>(run.range(0)));
  ViewMap map = initViewMap(state.x, state.y);
  assembleViewMap(map, state);
  for (auto _ : run) {
    ++state.x;
    benchmark::DoNotOptimize(assembleViewMap(map, state));
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_ScrollOneCell)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Unit(benchmark::kMicrosecond);

void BM_GenerateName(benchmark::State& run) {
  double seed = 167772170.0;
  for (auto _ : run) benchmark::DoNotOptimize(generateName(seed++));
}
BENCHMARK(BM_GenerateName);

void BM_GenerateStarSystem(benchmark::State& run) {
  std::int32_t x = 10;
  StarSystem system;
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  for (auto _ : run) {
    generateStarSystem(system, tables, x++, 10);
    benchmark::DoNotOptimize(system);
  }
}
BENCHMARK(BM_GenerateStarSystem)->Unit(benchmark::kMicrosecond);

void BM_Turbulence(benchmark::State& run) {
  const NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  const auto size = static_cast<double>(run.range(0));
  double x = 1000.0;
  for (auto _ : run) {
    benchmark::DoNotOptimize(turbulence(tables, x, 777.0, size, WORLD_PERIOD));
    x += 1.0;
  }
}
BENCHMARK(BM_Turbulence)->Arg(4)->Arg(8)->Arg(16)->Arg(32)->Arg(64);

}  // namespace
}  // namespace glyphverse
