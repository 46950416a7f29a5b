// The hunt's hot loop, in galaxy cells a second: the tile hunt on 1 and 2
// threads, and the straightforward way (every cell's star from its own
// turbulence, every star's counts from a fully seeded random source) that it
// replaces.

#include <benchmark/benchmark.h>

#include "gen/cells.h"
#include "gen/places.h"
#include "gen/random.h"
#include "gen/star_hunt.h"
#include "tools/hunt/tile_hunt.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

StarFilter rareFilter() {
  return readSearchTerms("planets>=5 bright>=150").terms->filter;
}

constexpr CellRect HUNTED{1000000, 2000000, 4096, 512};

void BM_HuntTile(benchmark::State& state) {
  const StarPresence presence;
  const StarFilter filter = rareFilter();
  WorkerPool pool(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(huntTile(presence, filter, HUNTED, pool));
  }
  state.SetItemsProcessed(state.iterations() * HUNTED.width * HUNTED.height);
  state.SetLabel("cells");
}
BENCHMARK(BM_HuntTile)->Arg(1)->Arg(2)->UseRealTime()->Unit(benchmark::kMillisecond);

// The same census and matches, cell by cell.
HuntOutcome straightforwardHunt(const StarFilter& filter, const CellRect& rect) {
  const NoiseTables& tables = galaxyTables();
  HuntOutcome outcome;
  for (std::int64_t dy = 0; dy < rect.height; ++dy) {
    for (std::int64_t dx = 0; dx < rect.width; ++dx) {
      const std::int32_t x = wrapCoordinate(rect.x + dx);
      const std::int32_t y = wrapCoordinate(rect.y + dy);
      if (isEmpty(starCellAt(tables, x, y))) continue;
      const GlyphCell nebula = nebulaCellAt(tables, x, y);
      RandomSource random = seededSource(cellSeed(x, y));
      const SystemCounts counts = drawSystemCounts(random);
      outcome.census.countStar(counts, nebulaIntensity(nebula));
      if (passesCounts(filter, counts, nebulaIntensity(nebula))) {
        outcome.systems.push_back({{x, y}, counts, cellColor(nebula), nebulaIntensity(nebula), ""});
      }
    }
  }
  outcome.census.cells = rect.width * rect.height;
  return outcome;
}

void BM_HuntStraightforward(benchmark::State& state) {
  const StarFilter filter = rareFilter();
  const CellRect rect{HUNTED.x, HUNTED.y, HUNTED.width, 64};
  for (auto _ : state) benchmark::DoNotOptimize(straightforwardHunt(filter, rect));
  state.SetItemsProcessed(state.iterations() * rect.width * rect.height);
  state.SetLabel("cells");
}
BENCHMARK(BM_HuntStraightforward)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphverse
