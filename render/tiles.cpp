#include "render/tiles.h"

#include <memory>

#include "display/glyph_drawing.h"

namespace glyphverse {
namespace {

// Made once and kept for the whole run.
std::array<std::unique_ptr<Image>, TERRAIN_CLASS_COUNT + 1> tiles;

}  // namespace

void buildTerrainTiles(Display& display, int size) {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) tiles[t] = display.createImage(size, size);
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    if (tiles[t]) paintTerrainTile(*tiles[t], static_cast<TerrainClass>(t));
  }
}

void paintTerrainTile(Image& tile, TerrainClass terrain) {
  const TerrainTileStyle& style = tileStyle(terrain);
  drawGlyph(tile, 0, 0, style.glyph, style.color);
}

const Image* terrainTile(TerrainClass terrain) {
  const int t = terrainNumber(terrain);
  if (t < 1 || t > TERRAIN_CLASS_COUNT) return nullptr;
  return tiles[t].get();
}

}  // namespace glyphverse
