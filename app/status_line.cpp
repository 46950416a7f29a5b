#include "app/status_line.h"

#include <algorithm>

namespace glyphverse {
namespace {

constexpr Color STATUS_COLOR = 0xFFFFFFFF;

}  // namespace

void StatusLine::show(std::string text, double now, bool untilNext) {
  text_ = std::move(text);
  since_ = now;
  untilNext_ = untilNext;
}

std::string shortenedInTheMiddle(const std::string& text, std::size_t most) {
  if (text.size() <= most) return text;
  const std::string gap = "...";
  const std::size_t head = (most - gap.size()) / 2;
  const std::size_t tail = most - gap.size() - head;
  return text.substr(0, head) + gap + text.substr(text.size() - tail);
}

void StatusLine::draw(Display& display, double now) const {
  if (text_.empty() || (!untilNext_ && now - since_ > SHOWN_SECONDS)) return;
  // A message longer than its rows loses its middle: its start says what
  // happened and its end why (a long path lies between them).
  const std::string text = shortenedInTheMiddle(text_, STATUS_COLUMNS * STATUS_ROWS_AT_MOST);
  // Whole rows from the bottom up, so that the message ends on the last row.
  const std::size_t rows = (text.size() + STATUS_COLUMNS - 1) / STATUS_COLUMNS;
  display.setTextColor(STATUS_COLOR);
  for (std::size_t row = 0; row < rows; ++row) {
    display.locateText(STATUS_LAST_ROW - static_cast<int>(rows - 1 - row), 1);
    display.printText(text.substr(row * STATUS_COLUMNS, STATUS_COLUMNS), false);
  }
}

}  // namespace glyphverse
