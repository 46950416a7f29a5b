#pragma once
// What one map cell shows at a world position, for each view level. Pure
// functions of the coordinates and of the noise tables in force.

#include <cstdint>

#include "world/glyph_cell.h"
#include "world/star_system.h"

namespace glyphverse {

inline constexpr std::uint8_t NEBULA_GLYPH = 177;
inline constexpr std::uint8_t SMALL_STAR_GLYPH = 249;
inline constexpr std::uint8_t MEDIUM_STAR_GLYPH = 42;
inline constexpr std::uint8_t BRIGHT_STAR_GLYPH = 15;
inline constexpr double WORLD_PERIOD = 16777216.0;

// Nebula channels are full at noise bytes up to 50 and darken by 0.95 a step above.
inline constexpr float NEBULA_OFFSET = 50.0f;
inline constexpr float NEBULA_BASE = 0.95f;
inline constexpr float SYSTEM_BACKGROUND_BASE = 0.98f;
inline constexpr std::int32_t SYSTEM_BACKGROUND_SIZE = 2048;

// Brings any coordinate into 0..WORLD_SIZE-1. Callers pass positions up to 30
// cells outside the world, for which this is (v + WORLD_SIZE) rem WORLD_SIZE;
// unlike that sum it cannot overflow, and it wraps every other value too.
constexpr std::int32_t wrapCoordinate(std::int64_t v) {
  const std::int64_t r = v % 16777216;
  return static_cast<std::int32_t>(r < 0 ? r + 16777216 : r);
}

// Terrain class 1 to 6 of a planet surface cell.
std::uint8_t terrainClassAt(std::int32_t x, std::int32_t y);
// The galaxy's nebula: glyph 177 in the colour of three noise scales.
GlyphCell nebulaCellAt(std::int32_t x, std::int32_t y);
// A grey star glyph (249, 42 or 15), or the empty cell.
GlyphCell starCellAt(std::int32_t x, std::int32_t y);
// The star system level's background, in the system's nebula colour.
GlyphCell systemBackgroundAt(std::int32_t x, std::int32_t y, const StarSystem& system);

// The pieces of the generators that depend on a single noise byte, shared with
// the batched map assembly so both give the same cells.
// The terrain class is decided by up to three noise bytes in turn; 0 means
// that the next byte decides.
std::uint8_t terrainByFirstByte(std::uint8_t t1);   // 1, 4, 5 or 0
std::uint8_t terrainBySecondByte(std::uint8_t t2);  // 3 or 0
std::uint8_t terrainByThirdByte(std::uint8_t t3);   // 6 or 2
// A star stands where the fine noise byte is a multiple of 10.
constexpr bool isStarByte(std::uint8_t a) {
  return a % 10 == 0;
}
// The star's glyph and grey from its brightness byte.
GlyphCell starFromBrightness(std::uint8_t b);
// The system colour averaged with the shaped noise level m and darkened by
// 255 - nebIntens.
GlyphCell systemCellFromLevel(std::uint8_t m, const StarSystem& system);

}  // namespace glyphverse
