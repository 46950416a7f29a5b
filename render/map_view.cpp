#include "render/map_view.h"

#include <algorithm>
#include <string_view>

#include "display/glyph_drawing.h"
#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {

void drawGlyphCell(Display& display, GlyphCell cell, int px, int py) {
  const char glyph = static_cast<char>(cell.glyph);
  display.drawText(static_cast<float>(px), static_cast<float>(py), std::string_view(&glyph, 1),
                   cellColor(cell));
}

void drawMapCell(Image& target, int px, int py, GlyphCell background, GlyphCell foreground,
                 const Image* tile) {
  if (!isEmpty(background)) drawGlyph(target, px, py, background.glyph, cellColor(background));
  if (!isEmpty(foreground)) drawGlyph(target, px, py, foreground.glyph, cellColor(foreground));
  if (tile != nullptr) putImageKeyed(target, px, py, *tile);
}

void drawViewMap(Display& display, const ViewMap& map, int halfWidth, int halfHeight, int left,
                 int top) {
  Image* page = display.workPageImage();
  if (page == nullptr) return;
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
      drawMapCell(*page, px, py, map.background[index], map.foreground[index],
                  terrainTile(map.terrain[index]));
    }
  }
  drawGlyph(*page, cx, cy, static_cast<std::uint8_t>(CENTRE_MARKER), CENTRE_MARKER_COLOR);
}

}  // namespace glyphverse
