#include "app/line_editor.h"

namespace glyphverse {
namespace {

constexpr std::uint8_t BACKSPACE = 8;

}  // namespace

LineEditor::Action LineEditor::handleKey(KeyCode key) {
  if (key.special) return Action::none;
  if (key.code == CHAR_ESC) return Action::cancel;
  if (key.code == CHAR_ENTER) return Action::submit;
  if (key.code == BACKSPACE) {
    if (!text_.empty()) text_.pop_back();
    return Action::none;
  }
  const char c = static_cast<char>(key.code);
  const bool printable = key.code >= ' ' && key.code < 127;
  if (printable && text_.size() < maxLength_ && (!accepts_ || accepts_(c))) text_.push_back(c);
  return Action::none;
}

void LineEditor::setText(std::string text) {
  text_ = std::move(text);
  if (text_.size() > maxLength_) text_.resize(maxLength_);
}

}  // namespace glyphverse
