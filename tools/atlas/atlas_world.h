#pragma once
// What an atlas shows: one view level of the universe with the noise tables
// and star system its cells are generated from, as the explorer has them
// there.

#include <cstdint>
#include <string_view>

#include "world/level_world.h"

namespace glyphverse {

enum class AtlasLevel { galaxy, system, planet };

std::string_view levelName(AtlasLevel level);

// The galaxy under its own tables; or the system at galaxy cell (systemX,
// systemY) (wrapped into the world, as the explorer's position is), whose own
// tables generate both its background and its planet's surface.
LevelWorld levelWorld(AtlasLevel level, std::int64_t systemX, std::int64_t systemY);

}  // namespace glyphverse
