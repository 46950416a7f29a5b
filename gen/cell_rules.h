#pragma once
// What a cell shows, written once for every way of computing its noise. Each
// rule takes `noise`, a callable that gives the turbulence byte of a channel
// at the cell (NoiseChannel -> std::uint8_t), and asks only for the channels
// it needs, in the order it needs them. The per-cell generators answer it
// with turbulence itself, the batched ones with octaves shared along rows
// and columns; both give the same bytes.

#include <array>
#include <cstdint>

#include "gen/channels.h"
#include "world/glyph_cell.h"
#include "world/star_system.h"
#include "world/terrain_class.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr std::uint8_t NEBULA_GLYPH = 177;
inline constexpr std::uint8_t SMALL_STAR_GLYPH = 249;
inline constexpr std::uint8_t MEDIUM_STAR_GLYPH = 42;
inline constexpr std::uint8_t BRIGHT_STAR_GLYPH = 15;

// Nebula channels are full at noise bytes up to 50 and darken by 0.95 a step above.
inline constexpr float NEBULA_OFFSET = 50.0f;
inline constexpr float NEBULA_BASE = 0.95f;
inline constexpr float SYSTEM_BACKGROUND_BASE = 0.98f;
inline constexpr std::int32_t SYSTEM_BACKGROUND_SIZE = 2048;

// shapeChannel(noise, NEBULA_OFFSET, NEBULA_BASE) for every noise byte.
std::array<std::uint8_t, 256> makeNebulaCurve();
// The same from a table made on first use: pow runs 256 times, not three
// times a cell. Inline, since every galaxy cell asks for three channels.
inline std::uint8_t nebulaChannel(std::uint8_t noise) {
  static const std::array<std::uint8_t, 256> curve = makeNebulaCurve();
  return curve[noise];
}
// shapeChannel(noise, nebIntens / 2, SYSTEM_BACKGROUND_BASE), from a table made once.
std::uint8_t systemLevel(std::uint8_t noise, std::uint8_t nebIntens);
// A star stands where the fine noise byte is a multiple of 10.
constexpr bool isStarByte(std::uint8_t a) {
  return a % 10 == 0;
}
// The star's glyph and grey from its brightness byte.
GlyphCell starFromBrightness(std::uint8_t b);
// The system colour averaged with the shaped noise level m and darkened by
// 255 - nebIntens.
GlyphCell systemCellFromLevel(std::uint8_t m, const StarSystem& system);
// The background cell of a system for its noise byte. Batches look the same
// cells up in a table of their own (another overload of this name).
inline GlyphCell systemCellFor(const StarSystem& system, std::uint8_t noise) {
  return systemCellFromLevel(systemLevel(noise, system.nebIntens), system);
}

// Terrain class 1 to 6 of a planet surface cell; later noise bytes are asked
// for only when the earlier ones leave the class open.
template <typename Noise>
TerrainClass terrainFrom(Noise&& noise) {
  const std::uint8_t t1 = noise(TERRAIN_FIRST);
  if (t1 < 80) return TerrainClass::water;
  if (t1 >= 200) return TerrainClass::mountains;
  if (t1 >= 175) return TerrainClass::hills;
  if (noise(TERRAIN_SECOND) > 160) return TerrainClass::forest;
  return noise(TERRAIN_THIRD) > 160 ? TerrainClass::grass : TerrainClass::plain;
}

// The galaxy's nebula: glyph 177 in the colour of three noise scales.
template <typename Noise>
GlyphCell nebulaFrom(Noise&& noise) {
  const std::uint8_t red = nebulaChannel(noise(NEBULA_RED));
  const std::uint8_t green = nebulaChannel(noise(NEBULA_GREEN));
  const std::uint8_t blue = nebulaChannel(noise(NEBULA_BLUE));
  return makeGlyphCell(NEBULA_GLYPH, red, green, blue);
}

// A grey star glyph (249, 42 or 15), or the empty cell.
template <typename Noise>
GlyphCell starFrom(Noise&& noise) {
  if (!isStarByte(noise(STAR_PRESENCE))) return GlyphCell{};
  return starFromBrightness(noise(STAR_BRIGHTNESS));
}

// The star-system level's background, in the system's nebula colour.
// `system` is the StarSystem, or anything with a systemCellFor of its own.
template <typename Noise, typename System>
GlyphCell systemBackgroundFrom(Noise&& noise, const System& system) {
  return systemCellFor(system, noise(SYSTEM_LEVEL_CHANNEL));
}

// All three layers of one map cell.
struct CellContent {
  GlyphCell background;
  GlyphCell foreground;
  TerrainClass terrain = TerrainClass::none;
  friend constexpr bool operator==(const CellContent&, const CellContent&) = default;
};

// The galaxy, the star system and the planet surface have generators; every
// other level stays empty.
constexpr bool levelHasContent(std::int32_t viewLevel) {
  return viewLevel == GALAXY_LEVEL || viewLevel == SYSTEM_LEVEL || viewLevel == PLANET_LEVEL;
}

// The period, in cells, that the level's noise repeats with.
constexpr double levelPeriod(std::int32_t viewLevel, const StarSystem& system) {
  return viewLevel == SYSTEM_LEVEL ? static_cast<double>(system.size) : WORLD_PERIOD;
}

// What each view level puts in which layer.
template <typename Noise, typename System>
CellContent levelCellFrom(std::int32_t viewLevel, Noise&& noise, const System& system) {
  CellContent cell;
  switch (viewLevel) {
    case GALAXY_LEVEL:
      cell.background = nebulaFrom(noise);
      cell.foreground = starFrom(noise);
      break;
    case SYSTEM_LEVEL:
      cell.background = systemBackgroundFrom(noise, system);
      break;
    case PLANET_LEVEL:
      cell.terrain = terrainFrom(noise);
      break;
    default:
      break;
  }
  return cell;
}

}  // namespace glyphverse
