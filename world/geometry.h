#pragma once
// Sizes of the world and of the map around the explorer, shared by every layer.

#include <cstdint>

namespace glyphverse {

// Both world axes run from 0 to WORLD_SIZE - 1 and wrap around.
inline constexpr std::int32_t WORLD_SIZE = 16777216;  // 2^24

// The map shows MAP_RADIUS cells on each side of the explorer.
inline constexpr int MAP_RADIUS = 30;
inline constexpr int MAP_SIDE = 2 * MAP_RADIUS + 1;    // 61
inline constexpr int MAP_CELLS = MAP_SIDE * MAP_SIDE;  // 3721

// Layers are stored column by column: the x offset is the first index.
constexpr int mapIndex(int dx, int dy) {
  return (dx + MAP_RADIUS) * MAP_SIDE + (dy + MAP_RADIUS);
}

// The number that names a galaxy cell: y * 2^24 + x, exact for every world position.
constexpr double cellSeed(std::int32_t x, std::int32_t y) {
  return static_cast<double>(y) * 16777216.0 + static_cast<double>(x);
}

}  // namespace glyphverse
