#include "render/tiles.h"

#include "display/glyph_drawing.h"

namespace glyphverse {
namespace {

// Each tile is its glyph drawn in its colour onto a cell of IMAGE_FILL.
struct TerrainTiles {
  TerrainTiles() {
    for (int k = 1; k <= TERRAIN_CLASS_COUNT; ++k) {
      images[k] = Image(GLYPH_SIZE, GLYPH_SIZE, IMAGE_FILL);
      drawGlyph(images[k], 0, 0, TERRAIN_TILE_STYLES[k].code, TERRAIN_TILE_STYLES[k].color);
      stamps[k] = keyedStampOf(images[k]);
      stampOf[k] = &stamps[k];
    }
  }
  TerrainTiles(const TerrainTiles&) = delete;  // stampOf points into the tiles themselves
  TerrainTiles& operator=(const TerrainTiles&) = delete;

  std::array<Image, TERRAIN_CLASS_COUNT + 1> images;
  std::array<KeyedStamp, TERRAIN_CLASS_COUNT + 1> stamps;
  TerrainStamps stampOf{};
};

// Made on first use; a static's initialisation is safe on any thread, and
// nothing changes the tiles afterwards.
const TerrainTiles& tiles() {
  static const TerrainTiles made;
  return made;
}

}  // namespace

const Image* terrainTile(TerrainClass terrain) {
  const int k = terrainNumber(terrain);
  return k >= 1 && k <= TERRAIN_CLASS_COUNT ? &tiles().images[k] : nullptr;
}

const TerrainStamps& terrainStamps() {
  return tiles().stampOf;
}

}  // namespace glyphverse
