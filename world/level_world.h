#pragma once
// What the cells of a view level are generated from: the level, the noise
// tables in force there and the star system entered. The explorer's state,
// the scanner, the tools and every batch of cells read it.

#include <cstdint>

#include "world/noise_tables.h"
#include "world/star_system.h"

namespace glyphverse {

struct LevelWorld {
  std::int32_t viewLevel = 0;  // 2 galaxy, 3 star system, 4 planet surface
  // The noise tables in force: the galaxy's, or those of the system entered.
  NoiseTables tables;
  // The star system last entered; all zero and unnamed before the first.
  StarSystem system;
};

}  // namespace glyphverse
