#include "gen/cells.h"

#include "gen/noise.h"
#include "world/geometry.h"

namespace glyphverse {

PointNoise::PointNoise(const NoiseTables& tables, std::int32_t x, std::int32_t y, double period)
    : tables_(tables),
      x_(x),
      y_(y),
      wrappedX_(wrapCoordinate(x)),
      wrappedY_(wrapCoordinate(y)),
      period_(period) {}

std::uint8_t PointNoise::operator()(NoiseChannel channel) const {
  const bool wrap = channel.wrapsCoordinates;
  return turbulence(tables_, wrap ? wrappedX_ : x_, wrap ? wrappedY_ : y_, channel.startSize,
                    period_);
}

TerrainClass terrainClassAt(const NoiseTables& tables, std::int32_t x, std::int32_t y) {
  return terrainFrom(PointNoise(tables, x, y, WORLD_PERIOD));
}

GlyphCell nebulaCellAt(const NoiseTables& tables, std::int32_t x, std::int32_t y) {
  return nebulaFrom(PointNoise(tables, x, y, WORLD_PERIOD));
}

GlyphCell starCellAt(const NoiseTables& tables, std::int32_t x, std::int32_t y) {
  return starFrom(PointNoise(tables, x, y, WORLD_PERIOD));
}

GlyphCell systemBackgroundAt(const NoiseTables& tables, std::int32_t x, std::int32_t y,
                             const StarSystem& system) {
  return systemBackgroundFrom(PointNoise(tables, x, y, static_cast<double>(system.size)), system);
}

CellContent cellAt(const NoiseTables& tables, std::int32_t viewLevel, const StarSystem& system,
                   std::int32_t x, std::int32_t y) {
  return levelCellFrom(viewLevel, PointNoise(tables, x, y, levelPeriod(viewLevel, system)), system);
}

}  // namespace glyphverse
