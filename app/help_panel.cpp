#include "app/help_panel.h"

#include "app/panel.h"

namespace glyphverse {
namespace {

constexpr PanelBox HELP_BOX{22, 12, 52};

const std::vector<PanelLine>& helpLines() {
  static const std::vector<PanelLine> lines = {
      {""},
      {" Keys"},
      {""},
      {" Arrows     move one cell; held, they repeat"},
      {" Shift      slower repeat"},
      {" Space      down a level: system, planet"},
      {" Alt        up a level (Backspace in a terminal)"},
      {" M          the scanner: arrows steer, + - zoom,"},
      {"            G types coordinates, M goes there"},
      {" I          this place in words"},
      {" /          search for systems: bright>=150 planets>=5"},
      {" B          bookmark this place; Shift+B the list"},
      {" L          the log of systems and planets visited"},
      {" C          copy this place as a link"},
      {" F1         this help on and off"},
      {" F11        full screen"},
      {" F12        save the picture as a PNG"},
      {" Esc        quit"},
      {""},
  };
  return lines;
}

}  // namespace

void drawHelpPanel(Display& display) {
  drawPanel(display, HELP_BOX, helpLines());
}

}  // namespace glyphverse
