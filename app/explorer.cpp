#include "app/explorer.h"

#include <string>
#include <utility>

#include "app/help_panel.h"
#include "app/navigation.h"
#include "display/keyboard.h"
#include "gen/cells.h"
#include "gen/names.h"
#include "gen/places.h"
#include "gen/view_map.h"
#include "render/map_view.h"
#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {

Explorer::Explorer(Display& display, std::int32_t startX, std::int32_t startY,
                   PictureWriter savePicture)
    : Explorer(display, galaxyPlace(startX, startY), std::move(savePicture)) {}

Explorer::Explorer(Display& display, const Place& start, PictureWriter savePicture)
    : display_(display), screenshots_(std::move(savePicture)) {
  // The result is not checked: without a window the explorer runs on a terminal.
  display_.openScreen(SCREEN_SIZE, SCREEN_SIZE, 32, 2, 0, 0);
  display_.setPageRegions(pageRegions());
  page_ = 0;
  buildTerrainTiles(display_, CELL_SIZE);  // after the window: images need it
  state_ = stateAt(start);
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
  const HeldKeys& held = display_.keyboard().held();
  if (scanner_.isOpen()) {
    scanner_.handleInput(held, display_.timerSeconds(), gates_);
  } else {
    handleInput(state_, held, display_.timerSeconds(), gates_);
  }
  if (state_.changed) {
    map_ = initViewMap(state_.x, state_.y);
    state_.changed = false;
  }
  if (scanner_.isOpen()) {
    scanner_.draw(display_, state_);
    const bool onStar = state_.viewLevel == GALAXY_LEVEL &&
                        !isEmpty(starCellAt(state_.tables, scanner_.x(), scanner_.y()));
    printNameLine(onStar, scanner_.x(), scanner_.y());
    printTextDisplay(scanner_.x(), scanner_.y());
  } else {
    assembleViewMap(map_, state_);
    drawViewMap(display_, map_, MAP_RADIUS, MAP_RADIUS, MAP_LEFT, MAP_TOP);
    printNameLine(!isEmpty(map_.foreground[mapIndex(0, 0)]), state_.x, state_.y);
    printTextDisplay(state_.x, state_.y);
  }
  if (helpShown_) drawHelpPanel(display_);
  screenshots_.showMessage(display_, display_.timerSeconds());
  page_ = 1 - page_;
  display_.sleepFor(1);
  return handleKey(display_.readKey());
}

// The one key the frame takes from the queue: Esc ends the program; the
// scanner's keys act while it is open, M opens it, F1 shows the keys, F12
// saves the picture; anything else is dropped.
bool Explorer::handleKey(const std::string& key) {
  if (scanner_.isOpen()) {
    switch (scanner_.handleKey(key)) {
      case Scanner::KeyResult::used:
        return true;
      case Scanner::KeyResult::returnToMap:
        // As if the explorer had walked there: the map is made afresh around it.
        state_.x = scanner_.x();
        state_.y = scanner_.y();
        map_ = initViewMap(state_.x, state_.y);
        scanner_.close();
        return true;
      case Scanner::KeyResult::notMine:
        break;
    }
  }
  if (key.size() == 2 && static_cast<std::uint8_t>(key[0]) == SPECIAL_KEY_MARKER) {
    const auto special = static_cast<std::uint8_t>(key[1]);
    if (special == KEY_F1) helpShown_ = !helpShown_;
    // The page this frame finished: the picture on the screen now.
    if (special == KEY_F12) {
      screenshots_.take(display_.page(lastDrawnPage()), state_, display_.timerSeconds());
    }
    return true;
  }
  if (key.size() != 1) return true;
  const auto code = static_cast<std::uint8_t>(key[0]);
  if (code == CHAR_ESC) return false;
  if (code == 'm' || code == 'M') scanner_.open(state_);
  return true;
}

void Explorer::run() {
  while (runFrame()) {
  }
  screenshots_.finish();  // a picture being written is written whole
}

// The name of the star at (x, y): only the galaxy has stars, so the line
// shows there and nowhere else.
void Explorer::printNameLine(bool onStar, std::int32_t x, std::int32_t y) {
  if (!onStar) return;
  display_.locateText(1, 20);
  display_.setTextColor(TEXT_COLOR);
  display_.printText(generateName(cellSeed(x, y)), true);
}

// Where the explorer is, or while the scanner is open, where its crosshair is.
void Explorer::printTextDisplay(std::int32_t x, std::int32_t y) {
  display_.locateText(1, 1);
  display_.setTextColor(TEXT_COLOR);
  display_.printText("FPS:", false);
  display_.printText(framesPerSecond(meter_), true);
  display_.printText("Coords:", false);
  display_.printText(x, false);
  display_.printText(y, true);
  display_.printText(cellSeed(x, y), true);
  display_.printText("viewLevel:", false);
  display_.printText(state_.viewLevel, true);
  display_.printText("nebIntens:", false);
  display_.printText(state_.system.nebIntens, true);
}

}  // namespace glyphverse
