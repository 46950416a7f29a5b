#include "app/panel.h"

namespace glyphverse {

namespace {

// A line break or a return printed would move the text's cursor and tear the
// panel apart: such bytes (in a name another program kept) show as \n, \r.
std::string withBreaksShown(const std::string& text) {
  std::string shown;
  for (const char c : text) {
    if (c == '\n' || c == '\r') {
      shown += c == '\n' ? "\\n" : "\\r";
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

void drawPanel(Display& display, const PanelBox& box, const std::vector<PanelLine>& lines) {
  const auto width = static_cast<std::size_t>(box.width);
  int row = box.row;
  for (const PanelLine& line : lines) {
    std::string padded = withBreaksShown(line.text).substr(0, width);
    padded.resize(width, ' ');
    display.locateText(row++, box.column);
    display.setTextColor(line.color);
    display.printText(padded, false);
  }
}

}  // namespace glyphverse
