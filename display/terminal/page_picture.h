#pragma once
// A page shown in character cells: each 8 x 8 block of pixels becomes the
// glyph that was drawn there, in its colour, read back from the pixels. A
// block whose pixels form no glyph (a picture finer than the font) becomes
// a half block in the colours of its two halves.

#include <array>
#include <cstdint>
#include <vector>

#include "display/image.h"
#include "display/page_regions.h"
#include "display/terminal/terminal_screen.h"

namespace glyphverse {

// The character cell that shows the 8 x 8 block of `page` at (x, y).
TerminalCell cellOfBlock(const Image& page, int x, int y);

class PagePicture {
 public:
  // Lays the regions out on a terminal of rows x columns, one under the
  // other with a blank row between, each cut around its focus cell when the
  // terminal is too small, and fills `cells` (rows x columns) from the page.
  void draw(const Image& page, const PageRegions& regions, int rows, int columns,
            std::vector<TerminalCell>& cells);

 private:
  // What each character cell showed last: the block it came from, that
  // block's pixels, and the cell made of them.
  struct Slot {
    int x = -1;
    int y = -1;
    std::array<Color, 64> pixels{};
    TerminalCell cell;
  };
  // A block whose pixels did not change since the last draw keeps its cell.
  const TerminalCell& cellFor(Slot& slot, const Image& page, int x, int y);

  std::vector<Slot> slots_;  // one per character cell
};

}  // namespace glyphverse
