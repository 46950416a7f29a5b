#pragma once
// A panel over the picture: lines of text in a box, each padded to the box's
// width so the panel reads as one block, with a title row.

#include <string>
#include <vector>

#include "display/display.h"

namespace glyphverse {

inline constexpr Color PANEL_TEXT_COLOR = 0xFFFFFFFF;
inline constexpr Color PANEL_DIM_COLOR = 0xFF909090;
inline constexpr Color PANEL_MARK_COLOR = 0xFFFFD040;  // the choice, and what stands out

struct PanelLine {
  std::string text;
  Color color = PANEL_TEXT_COLOR;
};

// Where a panel goes on the text grid: its top row and left column (from 1)
// and its width in cells.
struct PanelBox {
  int row = 1;
  int column = 1;
  int width = 40;
};

// The lines from the box's top row down, each cut or padded to its width.
// `chosenLine` (an index into `lines`) is the line that must stay in view
// where the panel is shown in part.
void drawPanel(Display& display, const PanelBox& box, const std::vector<PanelLine>& lines,
               int chosenLine = -1);

}  // namespace glyphverse
