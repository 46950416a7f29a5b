#pragma once
// The six terrain tiles of the planet surface: plain data, made once from the
// font, that any renderer (the map, the atlas, a terminal) reads without a
// display.

#include <array>
#include <cstdint>

#include "display/frame.h"
#include "display/image.h"
#include "display/pixel_rows.h"
#include "world/terrain_class.h"

namespace glyphverse {

// Indexed by terrain class 1 to 6; entry 0 (no tile) draws nothing.
inline constexpr std::array<GlyphStyle, TERRAIN_CLASS_COUNT + 1> TERRAIN_TILE_STYLES = {{
    {0, 0},
    {247, 0xFF3232FF},  // water
    {250, 0xFF326432},  // plain
    {38, 0xFF006400},   // forest
    {94, 0xFF808080},   // hills
    {94, 0xFFC8C8C8},   // mountains
    {176, 0xFF007800},  // grass
}};

constexpr const GlyphStyle& tileStyle(TerrainClass terrain) {
  return TERRAIN_TILE_STYLES[static_cast<std::size_t>(terrain)];
}

// The tile of a terrain class, one map cell in size: its glyph in its colour
// over IMAGE_FILL, whose pixels a colour-keyed copy skips. Null for `none`
// and for values that are no terrain class.
const Image* terrainTile(TerrainClass terrain);

// The tiles ready for composing whole map cells, indexed by any terrain
// byte: null where terrainTile is null.
using TerrainStamps = std::array<const KeyedStamp*, 256>;
const TerrainStamps& terrainStamps();

}  // namespace glyphverse
