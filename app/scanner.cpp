#include "app/scanner.h"

#include <charconv>
#include <vector>

#include "app/text_display.h"
#include "gen/cell_rules.h"
#include "gen/cells.h"
#include "gen/places.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr Color PROMPT_COLOR = 0xFFFFFFFF;
constexpr int PROMPT_COLUMN = 2;
constexpr std::uint8_t BACKSPACE = 8;

}  // namespace

bool Scanner::open() {
  if (!levelHasContent(state_.viewLevel)) return false;
  open_ = true;
  prompting_ = false;
  x_ = state_.x;
  y_ = state_.y;
  picture_.forget();
  return true;
}

void Scanner::handleHeldKeys(const HeldKeys& keys, double now) {
  if (prompting_) return;  // what is typed is not a step (a terminal's keypad sends digits)
  const ArrowStep step = takeArrowStep(keys, now, gates_);
  if (!step.taken) return;
  const int pixels = keys.isDown(SCAN_SHIFT) ? SLOW_STEP_PIXELS : STEP_PIXELS;
  const int cells = std::max(1, pixels / zoom());
  x_ = wrapCoordinate(std::int64_t{x_} + std::int64_t{step.dx} * cells);
  y_ = wrapCoordinate(std::int64_t{y_} + std::int64_t{step.dy} * cells);
}

KeyUse Scanner::handleKey(KeyCode key, double /*now*/) {
  if (prompting_) {
    promptKey(key);
    return KeyUse::used;
  }
  if (key.isLetter('m') || key.is(static_cast<char>(CHAR_ENTER))) {
    travel();
  } else if (key.isLetter('g')) {
    prompting_ = true;
    typed_.clear();
  } else if (key.is('+') || key.is('=')) {
    zoomIndex_ = std::min(zoomIndex_ + 1, static_cast<int>(ZOOMS.size()) - 1);
  } else if (key.is('-') || key.is('_')) {
    zoomIndex_ = std::max(zoomIndex_ - 1, 0);
  } else {
    return KeyUse::unused;  // Esc, F1, F12 and the rest are the explorer's
  }
  return KeyUse::used;
}

// As if the explorer had walked there: same level and system, the map made
// afresh around it.
void Scanner::travel() {
  Place place = placeOf(state_);
  (state_.viewLevel == GALAXY_LEVEL ? place.galaxy : place.local) = Position{x_, y_};
  goTo(state_, place);
  open_ = prompting_ = false;
}

// Digits and spaces, Backspace, Enter to go there; Esc only closes the prompt.
void Scanner::promptKey(KeyCode key) {
  if (key.special) return;
  const std::uint8_t code = key.code;
  if (code == CHAR_ESC) {
    prompting_ = false;
  } else if (code == CHAR_ENTER) {
    goToTyped();
  } else if (code == BACKSPACE) {
    if (!typed_.empty()) typed_.pop_back();
  } else if ((code == ' ' || (code >= '0' && code <= '9')) && typed_.size() < PROMPT_LENGTH) {
    typed_.push_back(static_cast<char>(code));
  }
}

// Two numbers go there, wrapped into the world; anything else keeps the
// prompt open to be mended.
void Scanner::goToTyped() {
  std::vector<std::int64_t> numbers;
  const char* at = typed_.data();
  const char* end = at + typed_.size();
  while (at < end) {
    while (at < end && *at == ' ') ++at;
    if (at == end) break;
    std::int64_t value = 0;
    const auto [next, error] = std::from_chars(at, end, value);
    if (error != std::errc() || numbers.size() == 2) return;
    numbers.push_back(value);
    at = next;
  }
  if (numbers.size() != 2) return;
  x_ = wrapCoordinate(numbers[0]);
  y_ = wrapCoordinate(numbers[1]);
  prompting_ = false;
}

void Scanner::draw(Display& display, double /*now*/) {
  if (Image* page = display.workPageImage()) {
    picture_.draw(*page, ScannerFrame{state_, zoom(), x_, y_});
    display.recordPixels(PixelRect{0, 0, page->width, page->height});
  }
  if (prompting_) {
    display.locateText(PROMPT_ROW, PROMPT_COLUMN);
    display.setTextColor(PROMPT_COLOR);
    display.printText("Go to X Y: " + typed_ + "_", false);
  }
  const bool onStar =
      state_.viewLevel == GALAXY_LEVEL && !isEmpty(starCellAt(state_.tables, x_, y_));
  printNameLine(display, onStar, x_, y_);
  printTextDisplay(display, meter_, x_, y_, state_);
}

}  // namespace glyphverse
