#include "render/tiles.h"

#include <memory>

namespace glyphverse {
namespace {

// Made once and kept for the whole run.
std::array<std::unique_ptr<Image>, TERRAIN_CLASS_COUNT + 1> tiles;

}  // namespace

void buildTerrainTiles(Display& display, int size) {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) tiles[t] = display.createImage(size, size);
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    if (!tiles[t]) continue;
    const char glyph = static_cast<char>(TERRAIN_TILE_STYLES[t].glyph);
    display.drawText(*tiles[t], 0, 0, std::string_view(&glyph, 1), TERRAIN_TILE_STYLES[t].color);
  }
}

const Image* terrainTile(TerrainClass terrain) {
  const int t = terrainNumber(terrain);
  if (t < 1 || t > TERRAIN_CLASS_COUNT) return nullptr;
  return tiles[t].get();
}

}  // namespace glyphverse
