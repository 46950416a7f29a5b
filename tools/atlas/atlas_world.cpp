#include "tools/atlas/atlas_world.h"

#include "gen/places.h"
#include "world/geometry.h"

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
  if (level == AtlasLevel::galaxy) return worldAt(galaxyPlace(0, 0));
  const std::int32_t viewLevel = level == AtlasLevel::system ? SYSTEM_LEVEL : PLANET_LEVEL;
  return worldAt(Place{viewLevel, {wrapCoordinate(systemX), wrapCoordinate(systemY)}, {}});
}

}  // namespace glyphverse
