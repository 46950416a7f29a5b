#pragma once
// The six terrain tile images of the planet surface, made once at start-up.

#include <array>
#include <cstdint>

#include "display/display.h"
#include "display/pixel_rows.h"
#include "world/terrain_class.h"

namespace glyphverse {

struct TerrainTileStyle {
  std::uint8_t glyph;
  Color color;
};

// Indexed by terrain class 1 to 6; entry 0 (no tile) is unused.
inline constexpr std::array<TerrainTileStyle, TERRAIN_CLASS_COUNT + 1> TERRAIN_TILE_STYLES = {{
    {0, 0},
    {247, 0xFF3232FF},  // water
    {250, 0xFF326432},  // plain
    {38, 0xFF006400},   // forest
    {94, 0xFF808080},   // hills
    {94, 0xFFC8C8C8},   // mountains
    {176, 0xFF007800},  // grass
}};

constexpr const TerrainTileStyle& tileStyle(TerrainClass terrain) {
  return TERRAIN_TILE_STYLES[static_cast<std::size_t>(terrain)];
}

// Makes the six size x size tiles: the glyph in its colour over the colour key.
// Needs an open window (images need one); replaces any earlier tiles.
void buildTerrainTiles(Display& display, int size);

// Draws a terrain class's glyph at the top-left of a tile filled with IMAGE_FILL.
void paintTerrainTile(Image& tile, TerrainClass terrain);

// The tile of a terrain class, or null (no tile for `none`, or no tiles built).
const Image* terrainTile(TerrainClass terrain);

// The tiles ready for composing whole map cells, indexed by any terrain
// byte: null where terrainTile is null.
using TerrainStamps = std::array<const KeyedStamp*, 256>;
const TerrainStamps& terrainStamps();
// Whether every tile that exists is one map cell in size, so that the stamps
// stand for the tiles exactly.
bool terrainTilesAreCellSized();

}  // namespace glyphverse
