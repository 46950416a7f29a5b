#include "render/map_picture.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// The same four bytes in the display's order: copying a run of them is a
// straight copy.
OpaqueGlyph opaqueGlyphOf(GlyphCell cell) {
  return OpaqueGlyph{cell.red, cell.green, cell.blue, cell.glyph};
}

}  // namespace

void copyMapCells(MapPicture& picture, const ViewMap& map) {
  const MapPlace& place = picture.place;
  // Terrain bytes are the tile numbers: past the last tile there is none.
  picture.tiles.assign(TERRAIN_TILE_STYLES.begin(), TERRAIN_TILE_STYLES.end());
  // Plain pointers, held before the loops: a byte written through the
  // layers' own could be any byte, even theirs, and no loop would run as
  // one straight copy.
  OpaqueGlyph* const background = picture.background.data();
  OpaqueGlyph* const foreground = picture.foreground.data();
  std::uint8_t* const tileNumber = picture.tileNumber.data();
  const auto copyRun = [&](std::ptrdiff_t from, std::ptrdiff_t to, std::ptrdiff_t count) {
    std::transform(map.background.begin() + from, map.background.begin() + from + count,
                   background + to, opaqueGlyphOf);
    std::transform(map.foreground.begin() + from, map.foreground.begin() + from + count,
                   foreground + to, opaqueGlyphOf);
    std::transform(map.terrain.begin() + from, map.terrain.begin() + from + count, tileNumber + to,
                   [](TerrainClass terrain) { return static_cast<std::uint8_t>(terrain); });
  };
  // A column's cells lie one after another in the map's layers too; whole
  // columns (the explorer's map) make one run.
  const std::ptrdiff_t rows = place.rows();
  if (rows == MAP_SIDE) {
    copyRun(mapIndex(-place.halfWidth, -MAP_RADIUS), 0, rows * place.columns());
    return;
  }
  for (int i = -place.halfWidth; i <= place.halfWidth; ++i) {
    copyRun(mapIndex(i, -place.halfHeight),
            static_cast<std::ptrdiff_t>(place.indexOf(i, -place.halfHeight)), rows);
  }
}

}  // namespace glyphverse
