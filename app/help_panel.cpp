#include "app/help_panel.h"

#include <string>
#include <string_view>

namespace glyphverse {
namespace {

constexpr Color PANEL_COLOR = 0xFFFFFFFF;
constexpr int FIRST_ROW = 22;
constexpr int COLUMN = 12;
constexpr std::size_t WIDTH = 52;  // every line padded to it: the panel is one box

constexpr std::string_view LINES[] = {
    "",
    " Keys",
    "",
    " Arrows     move one cell; held, they repeat",
    " Shift      slower repeat",
    " Space      down a level: system, planet",
    " Alt        up a level (Backspace in a terminal)",
    " M          the scanner: arrows steer, + - zoom,",
    "            G types coordinates, M goes there",
    " F1         this help on and off",
    " F11        full screen",
    " F12        save the picture as a PNG",
    " Esc        quit",
    "",
};

}  // namespace

void drawHelpPanel(Display& display) {
  display.setTextColor(PANEL_COLOR);
  int row = FIRST_ROW;
  for (const std::string_view line : LINES) {
    display.locateText(row++, COLUMN);
    std::string padded(line.substr(0, WIDTH));
    padded.resize(WIDTH, ' ');
    display.printText(padded, false);
  }
}

}  // namespace glyphverse
