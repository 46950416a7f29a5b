#pragma once
// A frame shown in character cells: the text grid's cells as text, each map
// cell as its topmost glyph in its colour over what shows beneath it, and an
// area drawn pixel by pixel (a picture finer than the font) as half blocks in
// the colours of each 8 x 8 block's two halves. A terminal too small for the
// whole grid keeps the frame layout's head and foot rows and as much of the
// rest as fits around the focus cell.

#include <array>
#include <cstdint>
#include <vector>

#include "display/frame.h"
#include "display/terminal/terminal_screen.h"

namespace glyphverse {

// Which grid cell each terminal cell shows: for every terminal row the grid
// row (-1 for none) and the first grid column of that row.
struct GridWindow {
  std::vector<int> gridRow;
  std::vector<int> firstColumn;
  int columns = 0;  // terminal columns
  int gridColumns = 0;
  // The grid column shown at a terminal column of a row, or -1.
  int gridColumn(int row, int column) const;
};
GridWindow layOut(int gridRows, int gridColumns, const FrameLayout& layout, int rows, int columns);

// The character cell of one map cell, as the map draws it (background glyph,
// foreground glyph, tile, marker) over `background`.
struct MapCellLayers {
  GlyphStyle background;
  GlyphStyle foreground;
  GlyphStyle tile;
  GlyphStyle marker;
  friend bool operator==(const MapCellLayers&, const MapCellLayers&) = default;
};
TerminalCell mapCellOf(const MapCellLayers& layers, Color background);

// The character cell that shows the 8 x 8 block of `page` at (x, y) as a half block.
TerminalCell halfBlockOf(const Image& page, int x, int y);

// Shows the frame's open panels over `cells`, a terminal of rows x columns
// that shows the grid cut as `window` lays it out.
void showPanels(const Frame& frame, const GridWindow& window, const FrameLayout& layout, int rows,
                int columns, std::vector<TerminalCell>& cells);

class FramePicture {
 public:
  // Fills `cells` (rows x columns) from the frame; `page` is the frame's
  // page, read for areas drawn pixel by pixel (none without pages). With
  // `textOnly`, the grid's text alone, from its top-left corner.
  void draw(const Frame& frame, const Image* page, const FrameLayout& layout, int rows, int columns,
            bool textOnly, std::vector<TerminalCell>& cells);

 private:
  // What a character cell showed last and what it was made of: a cell whose
  // layers or pixels did not change keeps its character.
  struct Slot {
    MapCellLayers layers;
    Color background = 0;
    int x = -1;
    int y = -1;
    std::array<Color, 64> pixels{};
    TerminalCell cell;
    bool fromMap = false;
  };
  TerminalCell cellAt(const Frame& frame, const Image* page, int row, int column, Slot& slot);
  const TerminalCell& mapCellFor(Slot& slot, const MapCellLayers& layers, Color background);
  const TerminalCell& blockFor(Slot& slot, const Image& page, int x, int y);

  std::vector<Slot> slots_;  // one per character cell
};

}  // namespace glyphverse
