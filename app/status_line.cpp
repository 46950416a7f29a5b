#include "app/status_line.h"

#include <algorithm>

namespace glyphverse {
namespace {

constexpr Color STATUS_COLOR = 0xFFFFFFFF;
constexpr std::size_t STATUS_COLUMNS = 75;

}  // namespace

void StatusLine::show(std::string text, double now) {
  text_ = std::move(text);
  since_ = now;
}

void StatusLine::draw(Display& display, double now) const {
  if (text_.empty() || now - since_ > SHOWN_SECONDS) return;
  // Whole rows from the bottom up, so that the message ends on the last row.
  const std::size_t rows = std::min<std::size_t>(
      (text_.size() + STATUS_COLUMNS - 1) / STATUS_COLUMNS, STATUS_ROWS_AT_MOST);
  display.setTextColor(STATUS_COLOR);
  for (std::size_t row = 0; row < rows; ++row) {
    display.locateText(STATUS_LAST_ROW - static_cast<int>(rows - 1 - row), 1);
    display.printText(text_.substr(row * STATUS_COLUMNS, STATUS_COLUMNS), false);
  }
}

}  // namespace glyphverse
