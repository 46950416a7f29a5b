#include "render/map_view.h"

#include <algorithm>
#include <span>

#include "display/glyph_drawing.h"
#include "render/cell_compose.h"
#include "render/map_pass.h"
#include "render/map_picture.h"
#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {

void drawMapCell(Image& target, int px, int py, GlyphCell background, GlyphCell foreground,
                 const Image* tile) {
  if (target.contains(PixelRect{px, py, CELL_SIZE, CELL_SIZE})) {
    const auto& masks = glyphMasks();
    CellInk ink{&masks[background.glyph], &masks[foreground.glyph], nullptr, cellColor(background),
                cellColor(foreground)};
    Color* line = &target.at(px, py);
    if (!isEmpty(background) && !isEmpty(foreground)) {
      composeCell<true, true, false, false>(line, target.width, ink, PixelRow{});
    } else if (!isEmpty(background)) {
      composeCell<true, false, false, false>(line, target.width, ink, PixelRow{});
    } else if (!isEmpty(foreground)) {
      composeCell<false, true, false, false>(line, target.width, ink, PixelRow{});
    }
  } else {
    if (!isEmpty(background)) drawGlyph(target, px, py, background.glyph, cellColor(background));
    if (!isEmpty(foreground)) drawGlyph(target, px, py, foreground.glyph, cellColor(foreground));
  }
  if (tile != nullptr) putImageKeyed(target, px, py, *tile);
}

void drawViewMap(Display& display, const ViewMap& map, int halfWidth, int halfHeight, int left,
                 int top) {
  // The layers hold MAP_RADIUS cells a side; asking for more must not read past them.
  halfWidth = std::clamp(halfWidth, 0, MAP_RADIUS);
  halfHeight = std::clamp(halfHeight, 0, MAP_RADIUS);
  const int cx = left + CELL_SIZE * halfWidth;
  const int cy = top + CELL_SIZE * halfHeight;
  const MapPlace mapPlace{halfWidth, halfHeight, left, top};
  // On a page just cleared the map is drawn in one pass, each cell written whole.
  const PixelRect area = mapPlace.area();
  // What the area will hold: the same map at the same place gives the same
  // pixels, so a page that still holds it (two frames ago, standing still)
  // needs no drawing at all.
  const Display::CoveredArea covered = display.coverArea(
      area, {std::as_bytes(std::span(&mapPlace, 1)), std::as_bytes(std::span(map.terrain)),
             std::as_bytes(std::span(map.background)), std::as_bytes(std::span(map.foreground))});
  // The frame keeps its own copy of the cells; one that holds them from the
  // same drawing (two frames ago, standing still) is not filled again.
  MapPicture* recorded = display.recordMap(
      mapPlace, GlyphStyle{static_cast<std::uint8_t>(CENTRE_MARKER), CENTRE_MARKER_COLOR},
      covered.contentId);
  if (recorded != nullptr) copyMapCells(*recorded, map);
  Image* page = covered.page;
  if (page != nullptr && covered.alreadyDrawn) return;  // the marker is still there too
  if (page != nullptr) {
    composeViewMap(*page, map, halfWidth, halfHeight, left, top, covered.background);
  } else {
    page = display.workPageImage();
    if (page == nullptr) return;
    for (int j = -halfHeight; j <= halfHeight; ++j) {
      for (int i = -halfWidth; i <= halfWidth; ++i) {
        const int index = mapIndex(i, j);
        drawMapCell(*page, cx + CELL_SIZE * i, cy + CELL_SIZE * j, map.background[index],
                    map.foreground[index], terrainTile(map.terrain[index]));
      }
    }
  }
  drawGlyph(*page, cx, cy, static_cast<std::uint8_t>(CENTRE_MARKER), CENTRE_MARKER_COLOR);
}

}  // namespace glyphverse
