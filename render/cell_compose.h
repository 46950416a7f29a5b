#pragma once
// One 8 x 8 map cell composed row by row from its layers, in the map's
// order: background glyph, foreground glyph, terrain tile. Shared by the
// one-pass map drawing and by the drawing of single cells.

#include "display/color.h"
#include "display/pixel_rows.h"

namespace glyphverse {

// What one cell shows, ready to be composed eight pixels at a time. A layer
// the cell lacks may be given as masks of no pixels, or a stamp that keeps
// every pixel: composing it then changes nothing.
struct CellInk {
  const GlyphMask* back = nullptr;
  const GlyphMask* fore = nullptr;
  const KeyedStamp* tile = nullptr;
  Color backColor = 0;
  Color foreColor = 0;
};

// Composes the layers chosen by the flags. With `OnPaper` each row starts as
// `paper` and is written whole; otherwise it starts as what the image holds.
template <bool Back, bool Fore, bool Tile, bool OnPaper>
inline void composeCell(Color* line, int stride, const CellInk& ink, const PixelRow& paper) {
  const PixelRow backInk = splatRow(ink.backColor);
  const PixelRow foreInk = splatRow(ink.foreColor);
  for (int r = 0; r < GLYPH_SIZE; ++r, line += stride) {
    PixelRow row = OnPaper ? paper : loadRow(line);
    if constexpr (Back) row = selectRow((*ink.back)[r], backInk, row);
    if constexpr (Fore) row = selectRow((*ink.fore)[r], foreInk, row);
    if constexpr (Tile) row = stampRow(row, *ink.tile, r);
    storeRow(line, row);
  }
}

}  // namespace glyphverse
