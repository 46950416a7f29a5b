#include "app/list_choice.h"

#include <algorithm>

namespace glyphverse {

void ListChoice::setCount(std::size_t count) {
  count_ = count;
  chosen_ = count == 0 ? 0 : std::min(chosen_, count - 1);
}

ListChoice::Action ListChoice::handleKey(KeyCode key) {
  const bool removing = key.isSpecial(KEY_DELETE);
  const bool confirmed = confirming_ && removing;
  confirming_ = false;
  if (key.is(static_cast<char>(CHAR_ESC))) return Action::close;
  if (count_ == 0) return Action::none;
  const std::size_t last = count_ - 1;
  if (key.isSpecial(KEY_UP)) {
    chosen_ = chosen_ > 0 ? chosen_ - 1 : 0;
  } else if (key.isSpecial(KEY_DOWN)) {
    chosen_ = std::min(chosen_ + 1, last);
  } else if (key.isSpecial(KEY_PAGE_UP)) {
    chosen_ = chosen_ > pageRows_ ? chosen_ - pageRows_ : 0;
  } else if (key.isSpecial(KEY_PAGE_DOWN)) {
    chosen_ = std::min(chosen_ + pageRows_, last);
  } else if (key.isSpecial(KEY_HOME)) {
    chosen_ = 0;
  } else if (key.isSpecial(KEY_END)) {
    chosen_ = last;
  } else if (key.is(static_cast<char>(CHAR_ENTER))) {
    return Action::take;
  } else if (removing) {
    if (confirmed) return Action::remove;
    confirming_ = true;
  }
  return Action::none;
}

ListChoice::Action ListChoice::tapEntry(std::size_t entry) {
  confirming_ = false;
  if (entry >= count_) return Action::none;
  if (entry == chosen_) return Action::take;
  chosen_ = entry;
  return Action::none;
}

}  // namespace glyphverse
