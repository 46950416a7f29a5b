// How fast the star search is: a count over a radius of 1000 cells (about
// 3.1 million cells, 310 000 stars) on one and two threads, with count and
// brightness filters and with a name filter; against it, the system query
// asked for star after star; and the scanner's test of one star.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "find/find_stars.h"
#include "gen/cells.h"
#include "gen/places.h"
#include "tools/query/query.h"

namespace glyphverse {
namespace {

constexpr Position CENTRE{123456, 654321};
const char* const FILTERS[] = {"planets>=5", "bright>=150 stars>=1", "name=ab"};

StarFilter filterNumber(std::int64_t i) {
  return readSearchTerms(FILTERS[i]).terms->filter;
}

// Arguments: the filter's number in FILTERS, the threads.
void BM_CountSearch(benchmark::State& run) {
  const SearchRequest request{CENTRE, DEFAULT_SEARCH_RADIUS, filterNumber(run.range(0))};
  std::int64_t stars = 0;
  for (auto _ : run) {
    SearchControl control;
    const SearchResult result = findStars(request, control, static_cast<int>(run.range(1)));
    stars += result.starCount;
    benchmark::DoNotOptimize(result.matchCount);
  }
  run.SetLabel(FILTERS[run.range(0)]);
  run.counters["stars_per_s"] =
      benchmark::Counter(static_cast<double>(stars), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_CountSearch)
    ->ArgsProduct({{0, 1, 2}, {1, 2}})
    ->ArgNames({"filter", "threads"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// The first `count` stars of the rows from CENTRE on.
std::vector<Position> someStars(std::size_t count) {
  std::vector<Position> stars;
  for (std::int32_t y = CENTRE.y; stars.size() < count; ++y) {
    for (std::int32_t x = CENTRE.x; x < CENTRE.x + 2000 && stars.size() < count; ++x) {
      if (!isEmpty(starCellAt(galaxyTables(), x, y))) stars.push_back({x, y});
    }
  }
  return stars;
}

// What a count costs without the search: the system query for each star.
void BM_SystemQueryPerStar(benchmark::State& run) {
  const std::vector<Position> stars = someStars(1000);
  std::size_t i = 0;
  for (auto _ : run) {
    const Position star = stars[i++ % stars.size()];
    benchmark::DoNotOptimize(
        answerQuery("system " + std::to_string(star.x) + " " + std::to_string(star.y)));
  }
  run.counters["stars_per_s"] =
      benchmark::Counter(static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SystemQueryPerStar)->Unit(benchmark::kMicrosecond);

// The scanner's question for a star it drew: does its system pass?
void BM_GalaxyCellMatches(benchmark::State& run) {
  const StarFilter filter = filterNumber(run.range(0));
  std::vector<std::pair<Position, CellContent>> cells;
  for (const Position star : someStars(1000)) {
    cells.emplace_back(star, cellAt(galaxyTables(), GALAXY_LEVEL, StarSystem{}, star.x, star.y));
  }
  std::size_t i = 0;
  for (auto _ : run) {
    const auto& [star, cell] = cells[i++ % cells.size()];
    benchmark::DoNotOptimize(galaxyCellMatches(filter, cell, star.x, star.y));
  }
  run.SetLabel(FILTERS[run.range(0)]);
  run.SetItemsProcessed(run.iterations());
}
BENCHMARK(BM_GalaxyCellMatches)->DenseRange(0, 2);

}  // namespace
}  // namespace glyphverse
