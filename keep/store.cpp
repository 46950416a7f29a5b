#include "keep/store.h"

#include <chrono>
#include <limits>

namespace glyphverse {

Outcome<std::vector<Bookmark>> Store::bookmarks() {
  auto page = bookmarkPage(0, std::numeric_limits<std::size_t>::max());
  if (!page.ok()) return Outcome<std::vector<Bookmark>>::failure(page.error);
  return Outcome<std::vector<Bookmark>>::success(std::move(page.value->rows));
}

std::string unreadablePlace(const std::string& text, const std::string& error) {
  return "the place kept, '" + text + "', cannot be read: " + error;
}

std::int64_t unixSecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace glyphverse
