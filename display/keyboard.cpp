#include "display/keyboard.h"

namespace glyphverse {

std::string KeyCode::text() const {
  if (!special) return std::string(1, static_cast<char>(code));
  return std::string{static_cast<char>(SPECIAL_KEY_MARKER), static_cast<char>(code)};
}

void Keyboard::push(KeyCode key) {
  queue_[tail_] = key;
  tail_ = (tail_ + 1) % QUEUE_SLOTS;
  if (tail_ == head_) head_ = (head_ + 1) % QUEUE_SLOTS;  // full: forget the oldest
}

std::optional<KeyCode> Keyboard::pop() {
  if (head_ == tail_) return std::nullopt;
  const KeyCode key = queue_[head_];
  head_ = (head_ + 1) % QUEUE_SLOTS;
  return key;
}

int Keyboard::waiting() const {
  return (tail_ - head_ + QUEUE_SLOTS) % QUEUE_SLOTS;
}

}  // namespace glyphverse
