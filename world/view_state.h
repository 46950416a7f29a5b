#pragma once
// The explorer: where it is, on which view level, the system last entered
// and the noise in force.

#include <cstdint>
#include <vector>

#include "world/noise_tables.h"
#include "world/star_system.h"

namespace glyphverse {

// View levels with content.
inline constexpr std::int32_t GALAXY_LEVEL = 2;
inline constexpr std::int32_t SYSTEM_LEVEL = 3;
inline constexpr std::int32_t PLANET_LEVEL = 4;

struct Position {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(const Position&, const Position&) = default;
};

struct ViewState {
  std::int32_t x = 0;  // position on the current view level
  std::int32_t y = 0;
  std::int32_t viewLevel = 0;
  bool changed = false;  // the view level changed: the map must be replaced
  StarSystem system;
  // The noise tables in force: the galaxy's, or those of the system entered.
  // Every cell of the map is generated from them.
  NoiseTables tables;
  // Where to come back to on the way up: the position on each level below the
  // current one, as the explorer left it, the galaxy's first.
  std::vector<Position> returnPositions;
};

}  // namespace glyphverse
