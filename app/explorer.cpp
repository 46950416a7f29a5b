#include "app/explorer.h"

#include <utility>

#include "app/text_display.h"
#include "gen/places.h"
#include "render/map_view.h"
#include "world/geometry.h"

namespace glyphverse {

Explorer::Explorer(Display& display, const Place& start, PictureWriter savePicture)
    : display_(display), screenshots_(std::move(savePicture)) {
  // The result is not checked: without a window the explorer runs on a terminal.
  display_.openScreen(SCREEN_SIZE, SCREEN_SIZE, 32, 2, 0, 0);
  display_.setFrameLayout(frameLayout());
  page_ = 0;
  state_ = stateAt(start);
  frameMeterInit(meter_, display_.timerSeconds());
  map_ = initViewMap(state_.x, state_.y);
}

FrameLayout Explorer::frameLayout() {
  constexpr int centre = (MAP_LEFT + CELL_SIZE * MAP_RADIUS + CELL_SIZE / 2) / GLYPH_SIZE;
  return FrameLayout{TEXT_DISPLAY_ROWS, SCREEN_SIZE / GLYPH_SIZE - Scanner::PROMPT_ROW + 1, centre,
                     centre};
}

Explorer::ModeStack Explorer::modesShown() {
  ModeStack stack;
  stack.modes[stack.count++] = scanner_.isOpen() ? static_cast<Mode*>(&scanner_) : &mapMode_;
  if (helpShown_) stack.modes[stack.count++] = &help_;
  return stack;
}

bool Explorer::runFrame() {
  const double now = display_.timerSeconds();
  frameMeterUpdate(meter_, now);
  display_.setPages(page_, 1 - page_);
  display_.clearScreen();
  ModeStack modes = modesShown();
  for (int k = modes.count - 1; k >= 0; --k) {
    if (!modes.modes[k]->takesHeldKeys()) continue;
    modes.modes[k]->handleHeldKeys(display_.keyboard().held(), now);
    break;
  }
  while (const std::optional<PointerEvent> pointer = display_.nextPointerEvent()) {
    for (int k = modes.count - 1; k >= 0; --k) {
      if (modes.modes[k]->handlePointer(*pointer, now) == KeyUse::used) break;
    }
  }
  for (Mode* mode : modes) mode->draw(display_, now);
  screenshots_.showMessage(display_, now);
  page_ = 1 - page_;
  const std::optional<KeyCode> key = display_.nextKey();
  return !key || handleKey(*key, now);
}

// The one key the frame takes from the queue goes to the modes from the top
// down; what none of them uses is the explorer's own: Esc ends the program,
// M opens the scanner, F1 shows the keys, F12 saves the picture; anything
// else is dropped.
bool Explorer::handleKey(KeyCode key, double now) {
  ModeStack modes = modesShown();
  for (int k = modes.count - 1; k >= 0; --k) {
    if (modes.modes[k]->handleKey(key, now) == KeyUse::used) return true;
  }
  if (key.is(static_cast<char>(CHAR_ESC))) return false;
  if (key.isLetter('m')) scanner_.open();
  if (key.isSpecial(KEY_F1)) helpShown_ = !helpShown_;
  // The page this frame finished: the picture on the screen now.
  if (key.isSpecial(KEY_F12)) screenshots_.take(display_.page(lastDrawnPage()), state_, now);
  return true;
}

bool Explorer::runFrameAndSleep() {
  const bool goesOn = runFrame();
  display_.sleepFor(1);
  return goesOn;
}

void Explorer::run() {
  while (runFrameAndSleep()) {
  }
  screenshots_.finish();  // a picture being written is written whole
}

}  // namespace glyphverse
