#pragma once
// The explorer: where it is, on which view level, the system last entered
// and the noise in force.

#include <cstdint>
#include <vector>

#include "world/level_world.h"
#include "world/place.h"

namespace glyphverse {

struct ViewState : LevelWorld {
  std::int32_t x = 0;  // position on the current view level
  std::int32_t y = 0;
  bool changed = false;  // the view level changed: the map must be replaced
  // Where to come back to on the way up: the position on each level below the
  // current one, as the explorer left it, the galaxy's first.
  std::vector<Position> returnPositions;
};

}  // namespace glyphverse
