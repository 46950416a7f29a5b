#include "gen/place_facts.h"

#include "gen/cells.h"
#include "gen/names.h"
#include "gen/places.h"
#include "world/geometry.h"

namespace glyphverse {

std::string_view brightnessWord(std::uint8_t nebIntens) {
  if (nebIntens < DIM_NEBULA) return "dark";
  return nebIntens < BRIGHT_NEBULA ? "dim" : "bright";
}

std::string levelName(std::int32_t viewLevel) {
  switch (viewLevel) {
    case GALAXY_LEVEL:
      return "Galaxy";
    case SYSTEM_LEVEL:
      return "Star system";
    case PLANET_LEVEL:
      return "Planet surface";
    default:
      return "Level " + std::to_string(viewLevel) + " (empty)";
  }
}

PlaceFacts placeFacts(const Place& place) {
  PlaceFacts facts;
  facts.levelName = levelName(place.viewLevel);
  facts.galaxy = {wrapCoordinate(place.galaxy.x), wrapCoordinate(place.galaxy.y)};
  const auto [x, y] = facts.galaxy;
  facts.hasStar = !isEmpty(starCellAt(galaxyTables(), x, y));
  facts.systemName = quickName(cellSeed(x, y));
  facts.counts = systemCountsAt(x, y);
  const GlyphCell nebula = nebulaCellAt(galaxyTables(), x, y);
  facts.nebColor = cellColor(nebula);
  facts.nebIntens = nebulaIntensity(nebula);
  facts.brightness = brightnessWord(facts.nebIntens);
  return facts;
}

}  // namespace glyphverse
