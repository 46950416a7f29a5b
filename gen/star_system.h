#pragma once
// The star system at a galaxy cell.

#include <array>
#include <cstdint>

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

// Fills `system` for the galaxy cell (x, y): counts and name from the cell's
// seed, colour from the nebula under `tables`, the tables in force. Then
// rebuilds `tables` from the system's seed, so everything generated from them
// afterwards comes from this system's noise.
void generateStarSystem(StarSystem& system, NoiseTables& tables, std::int32_t x, std::int32_t y);

}  // namespace glyphverse
