#pragma once
// What one map cell shows at a world position, for each view level: pure
// functions of the coordinates and of the noise tables they are given.

#include <cstdint>

#include "gen/cell_rules.h"
#include "world/glyph_cell.h"
#include "world/noise_tables.h"
#include "world/star_system.h"
#include "world/terrain_class.h"

namespace glyphverse {

// The noise of one cell, channel by channel, straight from turbulence.
class PointNoise {
 public:
  PointNoise(const NoiseTables& tables, std::int32_t x, std::int32_t y, double period);
  std::uint8_t operator()(NoiseChannel channel) const;

 private:
  const NoiseTables& tables_;
  double x_;
  double y_;
  double wrappedX_;
  double wrappedY_;
  double period_;
};

// Terrain class 1 to 6 of a planet surface cell.
TerrainClass terrainClassAt(const NoiseTables& tables, std::int32_t x, std::int32_t y);
// The galaxy's nebula: glyph 177 in the colour of three noise scales.
GlyphCell nebulaCellAt(const NoiseTables& tables, std::int32_t x, std::int32_t y);
// A grey star glyph (249, 42 or 15), or the empty cell.
GlyphCell starCellAt(const NoiseTables& tables, std::int32_t x, std::int32_t y);
// The star system level's background, in the system's nebula colour.
GlyphCell systemBackgroundAt(const NoiseTables& tables, std::int32_t x, std::int32_t y,
                             const StarSystem& system);

// Every layer of the cell at (x, y) on a view level (empty on levels without
// content); `system` matters on the star-system level only.
CellContent cellAt(const NoiseTables& tables, std::int32_t viewLevel, const StarSystem& system,
                   std::int32_t x, std::int32_t y);

}  // namespace glyphverse
