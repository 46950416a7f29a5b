#pragma once
// What a terminal shows, cell by cell, and the bytes that bring it to a new
// picture: only the cells that changed, a colour code only where the colour
// changes, a cursor move only where the next changed cell is not the next
// one along.

#include <string>
#include <vector>

#include "display/color.h"
#include "display/terminal/terminal_colors.h"

namespace glyphverse {

struct TerminalCell {
  char32_t character = U' ';
  Color fore = 0;  // red, green and blue; not looked at for a blank
  Color back = 0;
  friend bool operator==(const TerminalCell&, const TerminalCell&) = default;
};

// A blank cell whose foreground cannot count as a change.
constexpr TerminalCell blankCell(Color back) {
  return TerminalCell{U' ', 0, rgbOf(back)};
}

class TerminalScreen {
 public:
  explicit TerminalScreen(ColorMode mode) : mode_(mode) {}

  // A terminal of this size; what it showed is forgotten and cleared first.
  void resize(int rows, int columns);
  // Everything is drawn anew at the next render, after clearing the screen.
  void forget();
  // Appends to `out` what brings the terminal from what it shows to
  // `wanted` (rows() x columns() cells, row by row). Returns how many cells
  // it sends.
  int render(const std::vector<TerminalCell>& wanted, std::string& out);

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  ColorMode colorMode() const { return mode_; }

 private:
  struct Pen;
  void appendCell(std::string& out, int row, int column, const TerminalCell& cell, Pen& pen) const;

  ColorMode mode_;
  int rows_ = 0;
  int columns_ = 0;
  std::vector<TerminalCell> shown_;
  std::vector<bool> known_;  // false: the terminal may show anything there
  bool clearPending_ = true;
};

}  // namespace glyphverse
