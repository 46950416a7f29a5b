#include "render/tiles.h"

#include <memory>

#include "display/glyph_drawing.h"

namespace glyphverse {
namespace {

// Made once and kept for the whole run, with their stamps where they are
// one cell in size.
std::array<std::unique_ptr<Image>, TERRAIN_CLASS_COUNT + 1> tiles;
std::array<KeyedStamp, TERRAIN_CLASS_COUNT + 1> stamps;
TerrainStamps stampOfTile{};

bool isCellSized(const Image& image) {
  return image.width == GLYPH_SIZE && image.height == GLYPH_SIZE;
}

int tileIndex(TerrainClass terrain) {
  const int t = terrainNumber(terrain);
  return t >= 1 && t <= TERRAIN_CLASS_COUNT ? t : 0;
}

}  // namespace

void buildTerrainTiles(Display& display, int size) {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) tiles[t] = display.createImage(size, size);
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    if (tiles[t]) paintTerrainTile(*tiles[t], static_cast<TerrainClass>(t));
    stampOfTile[t] = nullptr;
    if (!tiles[t] || !isCellSized(*tiles[t])) continue;
    stamps[t] = keyedStampOf(*tiles[t]);
    stampOfTile[t] = &stamps[t];
  }
}

void paintTerrainTile(Image& tile, TerrainClass terrain) {
  const TerrainTileStyle& style = tileStyle(terrain);
  drawGlyph(tile, 0, 0, style.glyph, style.color);
}

const Image* terrainTile(TerrainClass terrain) {
  return tiles[tileIndex(terrain)].get();
}

const TerrainStamps& terrainStamps() {
  return stampOfTile;
}

bool terrainTilesAreCellSized() {
  for (const auto& tile : tiles) {
    if (tile && !isCellSized(*tile)) return false;
  }
  return true;
}

}  // namespace glyphverse
