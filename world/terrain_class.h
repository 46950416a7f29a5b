#pragma once
// The six kinds of ground of a planet surface.

#include <cstdint>

namespace glyphverse {

// Stored in the map's terrain layer as one byte; `none` draws no tile.
enum class TerrainClass : std::uint8_t {
  none = 0,
  water = 1,
  plain = 2,
  forest = 3,
  hills = 4,
  mountains = 5,
  grass = 6,
};

inline constexpr int TERRAIN_CLASS_COUNT = 6;

constexpr int terrainNumber(TerrainClass terrain) {
  return static_cast<int>(terrain);
}

}  // namespace glyphverse
