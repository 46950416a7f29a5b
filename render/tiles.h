#pragma once
// The six terrain tile images of the planet surface, made once at start-up.

#include <array>
#include <cstdint>

#include "display/display.h"

namespace glyphverse {

struct TerrainTileStyle {
  std::uint8_t glyph;
  Color color;
};

// Indexed by terrain class 1 to 6; entry 0 (no tile) is unused.
inline constexpr std::array<TerrainTileStyle, 7> TERRAIN_TILE_STYLES = {{
    {0, 0},
    {247, 0xFF3232FF},  // 1: water
    {250, 0xFF326432},  // 2: plain
    {38, 0xFF006400},   // 3: forest
    {94, 0xFF808080},   // 4: hills
    {94, 0xFFC8C8C8},   // 5: mountains
    {176, 0xFF007800},  // 6: grass
}};

// Makes the six size x size tiles: the glyph in its colour over the colour key.
// Needs an open window (images need one); replaces any earlier tiles.
void buildTerrainTiles(Display& display, int size);

// The tile of a terrain class 1..6, or null (class 0, or no tiles built).
const Image* terrainTile(int terrainClass);

}  // namespace glyphverse
