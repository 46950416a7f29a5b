#include "app/scanner.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "app/text_display.h"
#include "gen/cell_rules.h"
#include "gen/cells.h"
#include "gen/places.h"
#include "world/geometry.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

constexpr Color PROMPT_COLOR = 0xFFFFFFFF;
constexpr int PROMPT_COLUMN = 2;
constexpr std::size_t PROMPT_COLUMNS = 74;  // from PROMPT_COLUMN to the grid's edge

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
    refused_.reset();
  } else if (key.is('+') || key.is('=')) {
    zoomBy(1);
  } else if (key.is('-') || key.is('_')) {
    zoomBy(-1);
  } else {
    return KeyUse::unused;  // Esc, F1, F12 and the rest are the explorer's
  }
  return KeyUse::used;
}

void Scanner::zoomBy(int steps) {
  zoomIndex_ = std::clamp(zoomIndex_ + steps, 0, static_cast<int>(ZOOMS.size()) - 1);
}

Position Scanner::cellAt(int pixelX, int pixelY) const {
  const auto cellOf = [this](std::int32_t centre, int pageSide, int pixel) {
    const int cells = pageSide / zoom();
    const int offset = pixel >= 0 ? pixel / zoom() : -((-pixel + zoom() - 1) / zoom());
    return wrapCoordinate(std::int64_t{centre} - cells / 2 + offset);
  };
  return {cellOf(x_, pageWidth_, pixelX), cellOf(y_, pageHeight_, pixelY)};
}

KeyUse Scanner::handlePointer(const PointerEvent& event, double /*now*/) {
  constexpr int DRAG_PIXELS = 3;  // a press that moves less is still a click
  if (prompting_) return KeyUse::used;
  switch (event.kind) {
    case PointerEvent::Kind::press:
      if (event.clicks >= 2) {  // the first click put the crosshair on the cell
        press_.reset();
        travel();
        return KeyUse::used;
      }
      press_ = Press{event.x, event.y, Position{x_, y_}, false};
      return KeyUse::used;
    case PointerEvent::Kind::move: {
      if (!press_) return KeyUse::used;
      const int dx = event.x - press_->x;
      const int dy = event.y - press_->y;
      press_->dragging =
          press_->dragging || std::abs(dx) >= DRAG_PIXELS || std::abs(dy) >= DRAG_PIXELS;
      if (press_->dragging) {  // the picture follows the pointer
        x_ = wrapCoordinate(std::int64_t{press_->crosshair.x} - dx / zoom());
        y_ = wrapCoordinate(std::int64_t{press_->crosshair.y} - dy / zoom());
      }
      return KeyUse::used;
    }
    case PointerEvent::Kind::release:
      if (press_ && !press_->dragging) {
        const Position cell = cellAt(press_->x, press_->y);
        x_ = cell.x;
        y_ = cell.y;
      }
      press_.reset();
      return KeyUse::used;
    case PointerEvent::Kind::wheel:
      zoomBy(event.wheel > 0 ? 1 : -1);
      return KeyUse::used;
    case PointerEvent::Kind::cancel:
      press_.reset();
      return KeyUse::used;
  }
  return KeyUse::used;
}

Place Scanner::crosshairPlace() const {
  Place place = placeOf(state_);
  (state_.viewLevel == GALAXY_LEVEL ? place.galaxy : place.local) = Position{x_, y_};
  return place;
}

// As if the explorer had walked there: same level and system, the map made
// afresh around it.
void Scanner::travel() {
  goTo(state_, crosshairPlace());
  close();
}

// Enter goes there; Esc only closes the prompt.
void Scanner::promptKey(KeyCode key) {
  switch (typed_.handleKey(key)) {
    case LineEditor::Action::cancel:
      prompting_ = false;
      break;
    case LineEditor::Action::submit:
      goToTyped();
      break;
    case LineEditor::Action::none:
      break;
  }
}

// Two whole numbers go there, wrapped into the world; anything else keeps
// the prompt open to be mended, with a hint.
void Scanner::goToTyped() {
  std::vector<std::string_view> fields;
  const std::string_view text = typed_.text();
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t end = std::min(text.find(' ', at), text.size());
    if (end > at) fields.push_back(text.substr(at, end - at));
    at = end + 1;
  }
  const auto x = fields.size() == 2 ? readCoordinate(fields[0]) : std::nullopt;
  const auto y = fields.size() == 2 ? readCoordinate(fields[1]) : std::nullopt;
  if (!x || !y) {
    refused_ = typed_.text();
    return;
  }
  x_ = *x;
  y_ = *y;
  prompting_ = false;
}

void Scanner::draw(Display& display, double /*now*/) {
  if (Image* page = display.workPageImage()) {
    pageWidth_ = page->width;
    pageHeight_ = page->height;
    picture_.draw(*page, ScannerFrame{state_, zoom(), x_, y_, marks_, ringed_});
    display.recordPixels(PixelRect{0, 0, page->width, page->height});
  }
  if (prompting_) {
    display.locateText(PROMPT_ROW, PROMPT_COLUMN);
    display.setTextColor(PROMPT_COLOR);
    const bool hint = refused_ == typed_.text();
    const std::string label = "Go to X Y: ";
    const std::string hintText = hint ? "  type two whole numbers, X then Y" : "";
    // The line's end stays in view up to the grid's last column.
    const std::size_t columns = PROMPT_COLUMNS - label.size() - 1 - hintText.size();
    const std::string line = label + std::string(typed_.lastColumns(columns)) + "_" + hintText;
    display.printText(line, false);
    display.recordPanel(
        TextPanel{PROMPT_ROW - 1, PROMPT_COLUMN - 1, 1, static_cast<int>(line.size()), 0});
  }
  const bool onStar =
      state_.viewLevel == GALAXY_LEVEL && !isEmpty(starCellAt(state_.tables, x_, y_));
  printNameLine(display, onStar, x_, y_);
  printTextDisplay(display, meter_, x_, y_, state_);
}

}  // namespace glyphverse
