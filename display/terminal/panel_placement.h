#pragma once
// Where an open panel goes on a terminal that shows only part of the text
// grid: over the picture, in the rows above those kept for messages, clear
// of the explorer's cell where both fit; and when the panel is taller than
// that room, its first row and as many rows around its chosen one as fit,
// so that a long list scrolls with its choice.

#include <vector>

#include "display/frame.h"

namespace glyphverse {

// What the terminal around a panel holds, in terminal cells from 0.
struct PanelRoom {
  int rows = 0;  // rows the panel may use, from the top
  int columns = 0;
  int headRows = 0;   // rows at the top that are good to keep in view
  int focusRow = -1;  // the explorer's cell, -1 where it is not shown
  int focusColumn = -1;
  // Every grid row is shown in its own row (only columns are short): a
  // panel that fits stays in its own rows.
  bool gridRowsInPlace = false;
  // The grid column shown in the terminal's first column, where the panel's
  // own rows are: a panel stays where the grid shows it if it fits there.
  int columnShift = 0;
};

struct PanelPlacement {
  int top = 0;
  int left = 0;
  int columns = 0;             // of the panel, as many as fit
  std::vector<int> panelRows;  // the panel's rows (from 0) shown from `top` down
};

// `blankRow[r]` says whether the panel's row r shows nothing but blanks:
// such rows at its edges go first when room is short.
PanelPlacement placePanel(const TextPanel& panel, const std::vector<bool>& blankRow,
                          const PanelRoom& room);

}  // namespace glyphverse
