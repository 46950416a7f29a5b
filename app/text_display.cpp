#include "app/text_display.h"

#include "gen/names.h"
#include "world/geometry.h"

namespace glyphverse {

void printNameLine(Display& display, bool onStar, std::int32_t x, std::int32_t y) {
  if (!onStar) return;
  display.locateText(1, NAME_COLUMN);
  display.setTextColor(TEXT_COLOR);
  display.printText(generateName(cellSeed(x, y)), true);
}

void printTextDisplay(Display& display, const FrameMeter& meter, std::int32_t x, std::int32_t y,
                      const ViewState& state) {
  display.locateText(1, 1);
  display.setTextColor(TEXT_COLOR);
  display.printText("FPS:", false);
  display.printText(framesPerSecond(meter), true);
  display.printText("Coords:", false);
  display.printText(x, false);
  display.printText(y, true);
  display.printText(cellSeed(x, y), true);
  display.printText("viewLevel:", false);
  display.printText(state.viewLevel, true);
  display.printText("nebIntens:", false);
  display.printText(state.system.nebIntens, true);
}

}  // namespace glyphverse
