#include "app/explorer.h"

#include <string>

#include "app/navigation.h"
#include "display/keyboard.h"
#include "gen/names.h"
#include "gen/view_map.h"
#include "render/map_view.h"
#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {

Explorer::Explorer(Display& display, std::int32_t startX, std::int32_t startY) : display_(display) {
  // The result is not checked: without a window the explorer runs on a terminal.
  display_.openScreen(SCREEN_SIZE, SCREEN_SIZE, 32, 2, 0, 0);
  display_.setPageRegions(pageRegions());
  page_ = 0;
  buildTerrainTiles(display_, CELL_SIZE);  // after the window: images need it
  // The state starts on the galaxy with the galaxy's noise tables in force.
  state_ = initViewState(startX, startY);
  frameMeterInit(meter_, display_.timerSeconds());
  map_ = initViewMap(state_.x, state_.y);
}

// The text display's five rows, then the map, kept centred on the explorer
// where there is room for only part of it.
PageRegions Explorer::pageRegions() {
  return {PageRegion{0, 0, SCREEN_SIZE / CELL_SIZE, TEXT_DISPLAY_ROWS, 0, 0},
          PageRegion{MAP_LEFT, MAP_TOP, MAP_SIDE, MAP_SIDE, MAP_RADIUS, MAP_RADIUS}};
}

bool Explorer::runFrame() {
  frameMeterUpdate(meter_, display_.timerSeconds());
  display_.setPages(page_, 1 - page_);
  display_.clearScreen();
  handleInput(state_, display_.keyboard().held(), display_.timerSeconds(), gates_);
  if (state_.changed) {
    map_ = initViewMap(state_.x, state_.y);
    state_.changed = false;
  }
  assembleViewMap(map_, state_);
  drawViewMap(display_, map_, MAP_RADIUS, MAP_RADIUS, MAP_LEFT, MAP_TOP);
  printNameLine();
  printTextDisplay();
  page_ = 1 - page_;
  display_.sleepFor(1);
  const std::string key = display_.readKey();
  return !(key.size() == 1 && static_cast<std::uint8_t>(key[0]) == CHAR_ESC);
}

void Explorer::run() {
  while (runFrame()) {
  }
}

// Only the galaxy level fills the foreground, so this shows the name of the
// star under the explorer there and nowhere else.
void Explorer::printNameLine() {
  if (isEmpty(map_.foreground[mapIndex(0, 0)])) return;
  display_.locateText(1, 20);
  display_.setTextColor(TEXT_COLOR);
  display_.printText(generateName(cellSeed(state_.x, state_.y)), true);
}

void Explorer::printTextDisplay() {
  display_.locateText(1, 1);
  display_.setTextColor(TEXT_COLOR);
  display_.printText("FPS:", false);
  display_.printText(framesPerSecond(meter_), true);
  display_.printText("Coords:", false);
  display_.printText(state_.x, false);
  display_.printText(state_.y, true);
  display_.printText(cellSeed(state_.x, state_.y), true);
  display_.printText("viewLevel:", false);
  display_.printText(state_.viewLevel, true);
  display_.printText("nebIntens:", false);
  display_.printText(state_.system.nebIntens, true);
}

}  // namespace glyphverse
