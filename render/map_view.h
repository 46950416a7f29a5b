#pragma once
// Draws the view map onto the work page.

#include "display/display.h"
#include "display/font.h"
#include "world/glyph_cell.h"
#include "world/view_map.h"

namespace glyphverse {

// A map cell is one glyph of the font (or one terrain tile of the same size).
inline constexpr int CELL_SIZE = GLYPH_SIZE;

inline constexpr Color CENTRE_MARKER_COLOR = 0xFF0000FA;
inline constexpr char CENTRE_MARKER = '@';

// Draws cells -halfWidth..halfWidth by -halfHeight..halfHeight of the map, 8
// pixels a cell, the top-left one at (left, top): in each cell the background
// glyph, the foreground glyph, then the terrain tile; last the blue "@" on
// the centre cell.
void drawViewMap(Display& display, const ViewMap& map, int halfWidth, int halfHeight, int left,
                 int top);

// One map cell onto any image, as the map draws it: the background glyph,
// the foreground glyph, then the terrain tile (null for none).
void drawMapCell(Image& target, int px, int py, GlyphCell background, GlyphCell foreground,
                 const Image* tile);

}  // namespace glyphverse
