#pragma once
// The whole view map drawn in one pass onto a page area that holds nothing
// yet: every 8 x 8 cell is written once, whole, from its glyphs and tile
// over the background colour. The pixels are those of clearing the area and
// then drawing the cells one by one.

#include "display/color.h"
#include "display/image.h"
#include "world/view_map.h"

namespace glyphverse {

// Cells -halfWidth..halfWidth by -halfHeight..halfHeight (at most MAP_RADIUS
// each), the top-left one at (left, top); the square must lie inside `page`.
// Tiles come from terrainStamps.
void composeViewMap(Image& page, const ViewMap& map, int halfWidth, int halfHeight, int left,
                    int top, Color background);

}  // namespace glyphverse
