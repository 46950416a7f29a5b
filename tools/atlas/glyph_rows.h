#pragma once
// Cells drawn exactly as the explorer draws its map, into RGB rows of a PNG:
// square pieces of up to the map's 61 x 61 cells go through the map's own
// one-pass drawing onto a canvas cleared as the explorer clears its page,
// and are copied out while the canvas is in the cache.

#include <cstddef>
#include <cstdint>

#include "display/image.h"
#include "gen/cell_rules.h"
#include "world/view_map.h"

namespace glyphverse {

// A colour's red, green and blue bytes at `at`.
inline void storeRgb(std::uint8_t* at, Color color) {
  at[0] = static_cast<std::uint8_t>(color >> 16);
  at[1] = static_cast<std::uint8_t>(color >> 8);
  at[2] = static_cast<std::uint8_t>(color);
}

// A row of 0xAARRGGBB pixels as RGB bytes: by byte shuffles of eight or four
// pixels where the processor has them (x86 with AVX2 or SSSE3), else byte by
// byte. Writes no byte outside the 3 * width it is given.
void packRow(const Color* from, int width, std::uint8_t* to);

class GlyphPainter {
 public:
  // Makes the explorer's six terrain tiles, once in the process, if no
  // display has made them yet; after that the painter only reads.

  // One piece at a time: the map it is put into and the page it is drawn on.
  struct Scratch {
    ViewMap piece;
    Image canvas;
  };

  // Draws `rows` rows of `columns` cells (row by row at `cells`) into their
  // 8 * rows RGB rows at `out`, rowBytes apart.
  void paint(const CellContent* cells, int columns, int rows, Scratch& scratch, std::uint8_t* out,
             std::size_t rowBytes) const;

  // What a scratch's canvas holds once it has painted.
  static std::size_t canvasBytes();
};

}  // namespace glyphverse
