#include "gen/star_system.h"

#include "gen/cells.h"
#include "gen/names.h"
#include "gen/noise.h"
#include "gen/random.h"
#include "gen/rounding.h"
#include "world/geometry.h"
#include "world/glyph_cell.h"

namespace glyphverse {
namespace {

template <typename Table>
typename Table::value_type drawFrom(RandomSource& random, const Table& table) {
  const double index = wholePart(random.nextDouble() * static_cast<double>(table.size()));
  return table[static_cast<std::size_t>(index)];
}

}  // namespace

void generateStarSystem(StarSystem& system, NoiseTables& tables, std::int32_t x, std::int32_t y) {
  clearStarSystem(system);
  system.x = x;
  system.y = y;
  system.size = SYSTEM_BACKGROUND_SIZE;
  system.seed = cellSeed(x, y);

  RandomSource random = seededSource(system.seed);
  system.starCount = drawFrom(random, STAR_COUNT_TABLE);
  system.planetCount = drawFrom(random, PLANET_COUNT_TABLE);
  system.bodyCount = static_cast<std::int8_t>(system.starCount + system.planetCount);

  // Read before the tables are rebuilt below: the colour is the galaxy's.
  const GlyphCell cell = nebulaCellAt(tables, x, y);
  system.nebColor = cellColor(cell);
  system.nebIntens = static_cast<std::uint8_t>(maxOf(cell.red, maxOf(cell.green, cell.blue)));

  system.name = generateName(system.seed);
  buildNoiseTables(tables, system.seed);
}

}  // namespace glyphverse
