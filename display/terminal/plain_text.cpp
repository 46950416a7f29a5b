#include "display/terminal/plain_text.h"

#include "display/cp437.h"

namespace glyphverse {
namespace {

bool isBlankCode(std::uint8_t code) {
  return code == 0 || code == ' ' || code == 255;
}

// Row `row` of the frame's text from `first` on, its trailing blanks cut.
std::string rowText(const Frame& frame, int row, int first) {
  std::string text;
  std::size_t kept = 0;
  for (int column = first; column < frame.columns(); ++column) {
    const TextCell* cell = frame.textAt(row, column);
    if (cell == nullptr || isBlankCode(cell->code)) {
      text += ' ';
      continue;
    }
    appendUtf8(text, cp437ToUnicode(cell->code));
    kept = text.size();
  }
  text.resize(kept);
  return text;
}

}  // namespace

PlainText plainTextOf(const Frame& frame, const FrameLayout& layout) {
  PlainText plain;
  for (int row = 0; row < frame.rows(); ++row) {
    const std::string line = rowText(frame, row, 0);
    if (line.empty()) continue;
    plain.lines += line;
    plain.lines += '\n';
    const bool meter = row == layout.meterRow && layout.meterColumns > 0;
    plain.changing += meter ? rowText(frame, row, layout.meterColumns) : line;
    plain.changing += '\n';
  }
  plain.lines += '\n';
  return plain;
}

}  // namespace glyphverse
