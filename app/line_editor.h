#pragma once
// A line of typed text: printable characters that `accepts` lets in, up to a
// length, Backspace to take the last one back, Enter to submit, Esc to cancel.
// Text can also be pasted in whole. What does not fit is kept aside, for the
// user to be told.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "display/keyboard.h"

namespace glyphverse {

class LineEditor {
 public:
  enum class Action { none, submit, cancel };

  explicit LineEditor(std::size_t maxLength, std::function<bool(char)> accepts = {})
      : maxLength_(maxLength), accepts_(std::move(accepts)) {}

  Action handleKey(KeyCode key);
  // Pasted text at the end of the line: line breaks and tabs become spaces
  // (a trailing line break is dropped), and characters the line does not
  // accept are left out. It never submits.
  void paste(std::string_view text);
  void clear() { text_.clear(); }
  void setText(std::string text);
  const std::string& text() const { return text_; }
  // As much of the line's end as `columns` show.
  std::string_view lastColumns(std::size_t columns) const {
    const std::string_view text = text_;
    return text.size() > columns ? text.substr(text.size() - columns) : text;
  }
  std::size_t maxLength() const { return maxLength_; }
  // The characters typed or pasted since the last call that did not fit.
  std::string takeCut();

 private:
  void add(char c);

  std::size_t maxLength_;
  std::function<bool(char)> accepts_;
  std::string text_;
  std::string cut_;
};

}  // namespace glyphverse
