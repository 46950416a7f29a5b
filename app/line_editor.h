#pragma once
// A line of typed text: printable characters that `accepts` lets in, up to a
// length, Backspace to take the last one back, Enter to submit, Esc to cancel.

#include <cstddef>
#include <functional>
#include <string>

#include "display/keyboard.h"

namespace glyphverse {

class LineEditor {
 public:
  enum class Action { none, submit, cancel };

  explicit LineEditor(std::size_t maxLength, std::function<bool(char)> accepts = {})
      : maxLength_(maxLength), accepts_(std::move(accepts)) {}

  Action handleKey(KeyCode key);
  void clear() { text_.clear(); }
  void setText(std::string text);
  const std::string& text() const { return text_; }

 private:
  std::size_t maxLength_;
  std::function<bool(char)> accepts_;
  std::string text_;
};

}  // namespace glyphverse
