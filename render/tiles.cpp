#include "render/tiles.h"

#include <memory>

namespace glyphverse {
namespace {

// Made once and kept for the whole run.
std::array<std::unique_ptr<Image>, 7> tiles;

}  // namespace

void buildTerrainTiles(Display& display, int size) {
  for (int t = 1; t <= 6; ++t) tiles[t] = display.createImage(size, size);
  for (int t = 1; t <= 6; ++t) {
    if (!tiles[t]) continue;
    const char glyph = static_cast<char>(TERRAIN_TILE_STYLES[t].glyph);
    display.drawText(*tiles[t], 0, 0, std::string_view(&glyph, 1), TERRAIN_TILE_STYLES[t].color);
  }
}

const Image* terrainTile(int terrainClass) {
  if (terrainClass < 1 || terrainClass > 6) return nullptr;
  return tiles[terrainClass].get();
}

}  // namespace glyphverse
