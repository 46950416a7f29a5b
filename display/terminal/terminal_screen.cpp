#include "display/terminal/terminal_screen.h"

#include <algorithm>
#include <string_view>

#include "display/cp437.h"

namespace glyphverse {
namespace {

constexpr std::string_view CLEAR_SCREEN = "\x1b[0m\x1b[2J";
constexpr Color UNKNOWN = 0xFFFFFFFF;  // never a cell's colour, which has no alpha

}  // namespace

// Where the terminal's cursor stands and which colours it draws with, within
// one render; -1 and UNKNOWN when not known.
struct TerminalScreen::Pen {
  int row = -1;
  int column = -1;
  Color fore = UNKNOWN;
  Color back = UNKNOWN;
};

void TerminalScreen::resize(int rows, int columns) {
  rows_ = rows > 0 ? rows : 0;
  columns_ = columns > 0 ? columns : 0;
  shown_.assign(static_cast<std::size_t>(rows_) * columns_, TerminalCell{});
  forget();
}

void TerminalScreen::forget() {
  known_.assign(shown_.size(), false);
  clearPending_ = true;
}

int TerminalScreen::render(const std::vector<TerminalCell>& wanted, std::string& out) {
  if (clearPending_) {
    out += CLEAR_SCREEN;
    clearPending_ = false;
  }
  Pen pen;
  int sent = 0;
  const std::size_t cells = std::min(wanted.size(), shown_.size());
  for (std::size_t index = 0; index < cells; ++index) {
    if (known_[index] && shown_[index] == wanted[index]) continue;
    const int row = static_cast<int>(index / columns_);
    appendCell(out, row, static_cast<int>(index % columns_), wanted[index], pen);
    shown_[index] = wanted[index];
    known_[index] = true;
    ++sent;
  }
  return sent;
}

void TerminalScreen::appendCell(std::string& out, int row, int column, const TerminalCell& cell,
                                Pen& pen) const {
  if (pen.row != row || pen.column != column) {
    out += "\x1b[" + std::to_string(row + 1) + ';' + std::to_string(column + 1) + 'H';
  }
  const bool blank = cell.character == U' ';
  const bool foreChanges = !blank && cell.fore != pen.fore;
  const bool backChanges = cell.back != pen.back;
  if (mode_ != ColorMode::none && (foreChanges || backChanges)) {
    out += "\x1b[";
    if (foreChanges) appendColorParameters(out, mode_, true, cell.fore);
    if (foreChanges && backChanges) out += ';';
    if (backChanges) appendColorParameters(out, mode_, false, cell.back);
    out += 'm';
  }
  if (foreChanges) pen.fore = cell.fore;
  if (backChanges) pen.back = cell.back;
  appendUtf8(out, cell.character);
  // Code page 437's characters are all one cell wide where terminals follow
  // Unicode; the next cell along needs no cursor move.
  pen.row = row;
  pen.column = column + 1;
}

}  // namespace glyphverse
