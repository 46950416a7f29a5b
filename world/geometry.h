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

// Brings any coordinate into 0..WORLD_SIZE-1. For the positions the map asks
// for (at most 30 cells outside the world) this is (v + WORLD_SIZE) rem
// WORLD_SIZE; unlike that sum it cannot overflow, and it wraps every other
// value too.
constexpr std::int32_t wrapCoordinate(std::int64_t v) {
  const std::int64_t r = v % WORLD_SIZE;
  return static_cast<std::int32_t>(r < 0 ? r + WORLD_SIZE : r);
}

// The number that names a galaxy cell: y * WORLD_SIZE + x, exact for every
// world position.
constexpr double cellSeed(std::int32_t x, std::int32_t y) {
  return static_cast<double>(y) * static_cast<double>(WORLD_SIZE) + static_cast<double>(x);
}

}  // namespace glyphverse
