#include "gen/star_system.h"

#include "gen/cells.h"
#include "gen/leading_draws.h"
#include "gen/names.h"
#include "gen/noise.h"
#include "gen/random.h"
#include "gen/rounding.h"
#include "world/geometry.h"
#include "world/glyph_cell.h"

namespace glyphverse {

SystemCounts systemCountsAt(std::int32_t x, std::int32_t y) {
  LeadingDraws random(cellSeed(x, y));
  return drawSystemCounts(random);
}

void generateStarSystem(StarSystem& system, NoiseTables& tables, std::int32_t x, std::int32_t y) {
  clearStarSystem(system);
  system.x = x;
  system.y = y;
  system.size = SYSTEM_BACKGROUND_SIZE;
  system.seed = cellSeed(x, y);

  RandomSource random = seededSource(system.seed);
  const SystemCounts counts = drawSystemCounts(random);
  system.starCount = counts.starCount;
  system.planetCount = counts.planetCount;
  system.bodyCount = static_cast<std::int8_t>(system.starCount + system.planetCount);

  // Read before the tables are rebuilt below: the colour is the galaxy's.
  const GlyphCell cell = nebulaCellAt(tables, x, y);
  system.nebColor = cellColor(cell);
  system.nebIntens = nebulaIntensity(cell);

  system.name = generateName(system.seed);
  buildNoiseTables(tables, system.seed);
}

}  // namespace glyphverse
