#include "app/panel.h"

namespace glyphverse {

void drawPanel(Display& display, const PanelBox& box, const std::vector<PanelLine>& lines,
               int chosenLine) {
  const auto width = static_cast<std::size_t>(box.width);
  int row = box.row;
  for (const PanelLine& line : lines) {
    std::string padded = line.text.substr(0, width);
    padded.resize(width, ' ');
    display.locateText(row++, box.column);
    display.setTextColor(line.color);
    display.printText(padded, false);
  }
  display.recordPanel(TextPanel{box.row - 1, box.column - 1, static_cast<int>(lines.size()),
                                box.width, chosenLine});
}

}  // namespace glyphverse
