#include "app/scanner.h"

#include <charconv>
#include <vector>

#include "gen/cell_rules.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr Color PROMPT_COLOR = 0xFFFFFFFF;
constexpr int PROMPT_ROW = 74;
constexpr int PROMPT_COLUMN = 2;
constexpr std::uint8_t BACKSPACE = 8;

bool isCharacter(std::string_view key, char c) {
  return key.size() == 1 && key[0] == c;
}

}  // namespace

bool Scanner::open(const ViewState& state) {
  if (!levelHasContent(state.viewLevel)) return false;
  open_ = true;
  prompting_ = false;
  x_ = state.x;
  y_ = state.y;
  picture_.forget();
  return true;
}

void Scanner::handleInput(const HeldKeys& keys, double now, InputGates& gates) {
  const ArrowStep step = takeArrowStep(keys, now, gates);
  if (!step.taken) return;
  const int pixels = keys.isDown(SCAN_SHIFT) ? SLOW_STEP_PIXELS : STEP_PIXELS;
  const int cells = std::max(1, pixels / zoom());
  x_ = wrapCoordinate(std::int64_t{x_} + std::int64_t{step.dx} * cells);
  y_ = wrapCoordinate(std::int64_t{y_} + std::int64_t{step.dy} * cells);
}

Scanner::KeyResult Scanner::handleKey(std::string_view key) {
  if (key.empty()) return KeyResult::used;
  if (prompting_)
    return key.size() == 1 ? promptKey(static_cast<std::uint8_t>(key[0])) : KeyResult::used;
  if (isCharacter(key, static_cast<char>(CHAR_ESC))) return KeyResult::notMine;
  if (isCharacter(key, 'm') || isCharacter(key, 'M') ||
      isCharacter(key, static_cast<char>(CHAR_ENTER))) {
    return KeyResult::returnToMap;
  }
  if (isCharacter(key, 'g') || isCharacter(key, 'G')) {
    prompting_ = true;
    typed_.clear();
  } else if (isCharacter(key, '+') || isCharacter(key, '=')) {
    zoomIndex_ = std::min(zoomIndex_ + 1, static_cast<int>(ZOOMS.size()) - 1);
  } else if (isCharacter(key, '-') || isCharacter(key, '_')) {
    zoomIndex_ = std::max(zoomIndex_ - 1, 0);
  }
  return KeyResult::used;
}

// Digits and spaces, Backspace, Enter to go there; Esc only closes the prompt.
Scanner::KeyResult Scanner::promptKey(std::uint8_t code) {
  if (code == CHAR_ESC) {
    prompting_ = false;
  } else if (code == CHAR_ENTER) {
    goToTyped();
  } else if (code == BACKSPACE) {
    if (!typed_.empty()) typed_.pop_back();
  } else if ((code == ' ' || (code >= '0' && code <= '9')) && typed_.size() < PROMPT_LENGTH) {
    typed_.push_back(static_cast<char>(code));
  }
  return KeyResult::used;
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

void Scanner::draw(Display& display, const ViewState& state) {
  if (Image* page = display.workPageImage()) {
    picture_.draw(*page, ScannerFrame{state, zoom(), x_, y_});
  }
  if (!prompting_) return;
  display.locateText(PROMPT_ROW, PROMPT_COLUMN);
  display.setTextColor(PROMPT_COLOR);
  display.printText("Go to X Y: " + typed_ + "_", false);
}

}  // namespace glyphverse
