#pragma once
// Messages at the bottom of the page for a few seconds: what a key did (a
// picture saved, a bookmark kept, a link copied) or why it could not. A long
// message (a whole path) takes the rows above the last one too.

#include <cstddef>
#include <string>

#include "display/display.h"

namespace glyphverse {

inline constexpr int STATUS_LAST_ROW = 75;     // below the map
inline constexpr int STATUS_ROWS_AT_MOST = 4;  // rows 72 to 75 are clear of the map
inline constexpr std::size_t STATUS_COLUMNS = 75;

// `text`, or its start and end around "..." when it is longer than `most`.
std::string shortenedInTheMiddle(const std::string& text, std::size_t most);

class StatusLine {
 public:
  static constexpr double SHOWN_SECONDS = 3.0;

  // Shows `text` from `now` on, in place of any earlier message; with
  // `untilNext`, until the next message rather than for SHOWN_SECONDS.
  void show(std::string text, double now, bool untilNext = false);
  // Prints the message while it is recent.
  void draw(Display& display, double now) const;
  const std::string& text() const { return text_; }

 private:
  std::string text_;
  double since_ = 0.0;
  bool untilNext_ = false;
};

}  // namespace glyphverse
