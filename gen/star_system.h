#pragma once
// The star system at a galaxy cell.

#include <array>
#include <cstdint>

#include "gen/noise.h"
#include "gen/rounding.h"
#include "world/glyph_cell.h"
#include "world/noise_tables.h"
#include "world/star_system.h"

namespace glyphverse {

// Weighted counts: each value appears as often as its weight, in increasing order.
inline constexpr std::array<std::int8_t, 32> STAR_COUNT_TABLE = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 19 without a star
    1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 3, 4, 5};
inline constexpr std::array<std::int8_t, 32> PLANET_COUNT_TABLE = {
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,  // 16 without a planet
    1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 5, 6, 7, 8, 9, 10};

// The counts from the first two draws after seeding with the system's seed:
// the star count, then the planet count. `Source` is a RandomSource or
// anything that gives the same draws.
template <typename Source>
SystemCounts drawSystemCounts(Source& random) {
  auto drawFrom = [&random](const auto& table) {
    const double index = wholePart(random.nextDouble() * static_cast<double>(table.size()));
    return table[static_cast<std::size_t>(index)];
  };
  SystemCounts counts;
  counts.starCount = drawFrom(STAR_COUNT_TABLE);
  counts.planetCount = drawFrom(PLANET_COUNT_TABLE);
  return counts;
}

// The counts of the system at galaxy cell (x, y) (a world position, as for
// generateStarSystem), from the two draws alone: no state fill, no block
// update, no noise tables.
SystemCounts systemCountsAt(std::int32_t x, std::int32_t y);

// A system's nebula intensity: the largest channel of the nebula cell there.
constexpr std::uint8_t nebulaIntensity(GlyphCell nebula) {
  return static_cast<std::uint8_t>(maxOf(nebula.red, maxOf(nebula.green, nebula.blue)));
}

// Fills `system` for the galaxy cell (x, y): counts and name from the cell's
// seed, colour from the nebula under `tables`, the tables in force. Then
// rebuilds `tables` from the system's seed, so everything generated from them
// afterwards comes from this system's noise.
void generateStarSystem(StarSystem& system, NoiseTables& tables, std::int32_t x, std::int32_t y);

}  // namespace glyphverse
