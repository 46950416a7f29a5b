#include "gen/cells.h"

#include <algorithm>

#include "gen/noise.h"
#include "gen/rounding.h"

namespace glyphverse {

std::uint8_t terrainByFirstByte(std::uint8_t t1) {
  if (t1 < 80) return 1;
  if (t1 >= 200) return 5;
  if (t1 >= 175) return 4;
  return 0;
}

std::uint8_t terrainBySecondByte(std::uint8_t t2) {
  return t2 > 160 ? 3 : 0;
}

std::uint8_t terrainByThirdByte(std::uint8_t t3) {
  return t3 > 160 ? 6 : 2;
}

std::uint8_t terrainClassAt(std::int32_t x, std::int32_t y) {
  const double wx = wrapCoordinate(x);
  const double wy = wrapCoordinate(y);
  // Later noise bytes are computed only when the earlier ones leave the class open.
  if (const auto c = terrainByFirstByte(turbulence(wx, wy, 16, WORLD_PERIOD))) return c;
  if (const auto c = terrainBySecondByte(turbulence(wx, wy, 8, WORLD_PERIOD))) return c;
  return terrainByThirdByte(turbulence(wx, wy, 32, WORLD_PERIOD));
}

GlyphCell nebulaCellAt(std::int32_t x, std::int32_t y) {
  const double wx = wrapCoordinate(x);
  const double wy = wrapCoordinate(y);
  const std::uint8_t r = turbulence(wx, wy, 16, WORLD_PERIOD);
  const std::uint8_t g = turbulence(wx, wy, 32, WORLD_PERIOD);
  const std::uint8_t b = turbulence(wx, wy, 64, WORLD_PERIOD);
  return makeGlyphCell(NEBULA_GLYPH, shapeChannel(r, NEBULA_OFFSET, NEBULA_BASE),
                       shapeChannel(g, NEBULA_OFFSET, NEBULA_BASE),
                       shapeChannel(b, NEBULA_OFFSET, NEBULA_BASE));
}

GlyphCell starFromBrightness(std::uint8_t b) {
  const std::uint8_t glyph = b < 160   ? SMALL_STAR_GLYPH
                             : b < 180 ? MEDIUM_STAR_GLYPH
                                       : BRIGHT_STAR_GLYPH;
  const auto grey = static_cast<std::uint8_t>(std::min(b + 50, 255));
  return makeGlyphCell(glyph, grey, grey, grey);
}

GlyphCell starCellAt(std::int32_t x, std::int32_t y) {
  // Unwrapped on purpose: every octave period is a multiple of 256, so the
  // star field wraps with the world all the same.
  if (!isStarByte(turbulence(x, y, 4, WORLD_PERIOD))) return GlyphCell{};
  return starFromBrightness(turbulence(x, y, 8, WORLD_PERIOD));
}

GlyphCell systemCellFromLevel(std::uint8_t m, const StarSystem& system) {
  const std::uint8_t k = system.nebIntens;
  auto channel = [&](int shift) {
    const auto h = static_cast<std::uint8_t>(system.nebColor >> shift);
    const double average = roundTiesToEven((m + h) / 2.0);
    return static_cast<std::uint8_t>(std::max(static_cast<int>(average) - (255 - k), 0));
  };
  return makeGlyphCell(NEBULA_GLYPH, channel(16), channel(8), channel(0));
}

GlyphCell systemBackgroundAt(std::int32_t x, std::int32_t y, const StarSystem& system) {
  const std::uint8_t t =
      turbulence(wrapCoordinate(x), wrapCoordinate(y), 64, static_cast<double>(system.size));
  const float offset = static_cast<float>(system.nebIntens) / 2.0f;
  return systemCellFromLevel(shapeChannel(t, offset, SYSTEM_BACKGROUND_BASE), system);
}

}  // namespace glyphverse
