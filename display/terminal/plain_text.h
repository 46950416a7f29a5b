#pragma once
// A frame's text as plain lines, for output that keeps everything it is
// given (a file, a pipe into a log): no codes, no cursor moves, and a new
// copy only when the text has changed.

#include <string>

#include "display/frame.h"

namespace glyphverse {

struct PlainText {
  // Every row that holds text, without its trailing blanks, in UTF-8; an
  // empty line after the last, so that copies stand apart.
  std::string lines;
  // The same with the layout's meter cells left blank: what counts as a change.
  std::string changing;
};
PlainText plainTextOf(const Frame& frame, const FrameLayout& layout);

}  // namespace glyphverse
