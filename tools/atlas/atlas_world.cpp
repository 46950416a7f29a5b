#include "tools/atlas/atlas_world.h"

#include "gen/noise.h"
#include "gen/star_system.h"
#include "world/geometry.h"
#include "world/view_state.h"

namespace glyphverse {

std::string_view levelName(AtlasLevel level) {
  switch (level) {
    case AtlasLevel::galaxy:
      return "galaxy";
    case AtlasLevel::system:
      return "system";
    case AtlasLevel::planet:
      return "planet";
  }
  return "";
}

LevelWorld levelWorld(AtlasLevel level, std::int64_t systemX, std::int64_t systemY) {
  LevelWorld world;
  world.tables = noiseTablesFor(INITIAL_NOISE_SEED);
  clearStarSystem(world.system);
  if (level == AtlasLevel::galaxy) {
    world.viewLevel = GALAXY_LEVEL;
    return world;
  }
  world.viewLevel = level == AtlasLevel::system ? SYSTEM_LEVEL : PLANET_LEVEL;
  generateStarSystem(world.system, world.tables, wrapCoordinate(systemX), wrapCoordinate(systemY));
  return world;
}

}  // namespace glyphverse
