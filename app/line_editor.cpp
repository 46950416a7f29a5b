#include "app/line_editor.h"

#include <utility>

namespace glyphverse {
namespace {

constexpr std::uint8_t BACKSPACE = 8;
// Enough of what was cut to recognise it; the rest would not fit on a row.
constexpr std::size_t CUT_KEPT_AT_MOST = 256;

bool printable(std::uint8_t code) {
  return code >= ' ' && code < 127;
}

}  // namespace

LineEditor::Action LineEditor::handleKey(KeyCode key) {
  if (key.special) return Action::none;
  if (key.code == CHAR_ESC) return Action::cancel;
  if (key.code == CHAR_ENTER) return Action::submit;
  if (key.code == BACKSPACE) {
    if (!text_.empty()) text_.pop_back();
    return Action::none;
  }
  if (printable(key.code)) add(static_cast<char>(key.code));
  return Action::none;
}

void LineEditor::paste(std::string_view text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.remove_suffix(1);
  for (const char c : text) {
    const auto code = static_cast<std::uint8_t>(c);
    if (code == '\n' || code == '\r' || code == '\t') {
      add(' ');
    } else if (printable(code)) {
      add(c);
    }
  }
}

void LineEditor::add(char c) {
  if (accepts_ && !accepts_(c)) return;
  if (text_.size() < maxLength_) {
    text_.push_back(c);
  } else if (cut_.size() < CUT_KEPT_AT_MOST) {
    cut_.push_back(c);
  }
}

void LineEditor::setText(std::string text) {
  text_ = std::move(text);
  if (text_.size() > maxLength_) text_.resize(maxLength_);
}

std::string LineEditor::takeCut() {
  return std::exchange(cut_, {});
}

}  // namespace glyphverse
