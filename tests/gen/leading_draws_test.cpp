// The shortcuts to a system's counts and name equal the draws of a whole
// seeded random source, which the generators themselves use.

#include "gen/leading_draws.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "gen/names.h"
#include "gen/star_system.h"
#include "world/geometry.h"
#include "world/place.h"

namespace glyphverse {
namespace {

const double AWKWARD_SEEDS[] = {
    0.0,    1.0,          -1.0,         -2.5,
    4242.9, 4294967295.0, 4294967296.0, cellSeed(16777215, 16777215),
    1e300,  -1e300,       std::nan(""), std::numeric_limits<double>::infinity()};

TEST(LeadingDraws, EveryLeadingOutputOfASeededSource) {
  for (const double seed : AWKWARD_SEEDS) {
    RandomSource whole = seededSource(seed);
    LeadingDraws leading(seed);
    for (int k = 0; k < LEADING_DRAWS; ++k) {
      ASSERT_EQ(leading.nextOutput(), whole.nextOutput()) << "seed " << seed << ", output " << k;
    }
  }
}

// Rows j = part, part + parts, ... of a 1000 x 1000 grid that reaches both
// edges of the world: the cells whose counts differ.
std::vector<Position> countMismatches(int part, int parts) {
  constexpr std::int64_t STEPS = 1000;
  constexpr std::int64_t LAST = WORLD_SIZE - 1;
  std::vector<Position> mismatches;
  RandomSource random;
  for (std::int64_t j = part; j < STEPS; j += parts) {
    const auto y = static_cast<std::int32_t>(j * LAST / (STEPS - 1));
    for (std::int64_t i = 0; i < STEPS; ++i) {
      const auto x = static_cast<std::int32_t>(i * LAST / (STEPS - 1));
      random.seed(cellSeed(x, y));
      if (!(systemCountsAt(x, y) == drawSystemCounts(random))) mismatches.push_back({x, y});
    }
  }
  return mismatches;
}

TEST(LeadingDraws, SystemCountsOfAMillionSystems) {
  const int parts = static_cast<int>(std::max(2u, std::thread::hardware_concurrency()));
  std::vector<std::vector<Position>> mismatches(static_cast<std::size_t>(parts));
  std::vector<std::thread> threads;
  for (int part = 0; part < parts; ++part) {
    threads.emplace_back([&, part] { mismatches[part] = countMismatches(part, parts); });
  }
  for (std::thread& thread : threads) thread.join();
  for (const auto& found : mismatches) {
    ASSERT_TRUE(found.empty()) << found.size() << " differ, first at " << found[0].x << ", "
                               << found[0].y;
  }
}

TEST(LeadingDraws, QuickNamesAreTheNames) {
  for (const double seed : AWKWARD_SEEDS) EXPECT_EQ(quickName(seed), generateName(seed)) << seed;
  for (std::int64_t i = 0; i < 100000; ++i) {
    const double seed =
        cellSeed(wrapCoordinate(i * 7919), wrapCoordinate(i * 104729)) + 0.5 * (i % 3);
    ASSERT_EQ(quickName(seed), generateName(seed)) << seed;
  }
}

}  // namespace
}  // namespace glyphverse
