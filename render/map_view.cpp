#include "render/map_view.h"

#include <algorithm>
#include <string_view>

#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {

void drawGlyphCell(Display& display, GlyphCell cell, int px, int py) {
  const char glyph = static_cast<char>(cell.glyph);
  display.drawText(static_cast<float>(px), static_cast<float>(py), std::string_view(&glyph, 1),
                   cellColor(cell));
}

void drawViewMap(Display& display, const ViewMap& map, int halfWidth, int halfHeight, int left,
                 int top) {
  // The layers hold MAP_RADIUS cells a side; asking for more must not read past them.
  halfWidth = std::clamp(halfWidth, 0, MAP_RADIUS);
  halfHeight = std::clamp(halfHeight, 0, MAP_RADIUS);
  const int cx = left + CELL_SIZE * halfWidth;
  const int cy = top + CELL_SIZE * halfHeight;
  for (int j = -halfHeight; j <= halfHeight; ++j) {
    for (int i = -halfWidth; i <= halfWidth; ++i) {
      const int px = cx + CELL_SIZE * i;
      const int py = cy + CELL_SIZE * j;
      const int index = mapIndex(i, j);
      if (!isEmpty(map.background[index])) drawGlyphCell(display, map.background[index], px, py);
      if (!isEmpty(map.foreground[index])) drawGlyphCell(display, map.foreground[index], px, py);
      if (map.terrain[index] != TerrainClass::none) {
        display.putImage(static_cast<float>(px), static_cast<float>(py),
                         terrainTile(map.terrain[index]));
      }
    }
  }
  const char marker = CENTRE_MARKER;
  display.drawText(static_cast<float>(cx), static_cast<float>(cy), std::string_view(&marker, 1),
                   CENTRE_MARKER_COLOR);
}

}  // namespace glyphverse
