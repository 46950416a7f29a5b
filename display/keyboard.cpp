#include "display/keyboard.h"

#include <algorithm>

namespace glyphverse {

void Keyboard::setDown(int scanCode, bool down) {
  down_.setDown(scanCode, down);
  updateHeld(scanCode);
}

void Keyboard::press(int scanCode) {
  if (scanCode < 0 || scanCode >= SCAN_CODE_COUNT) return;
  presses_[static_cast<std::size_t>(scanCode)] = Press::waiting;
  updateHeld(scanCode);
}

void Keyboard::sampleForFrame() {
  for (int code = 0; code < SCAN_CODE_COUNT; ++code) {
    Press& press = presses_[static_cast<std::size_t>(code)];
    if (press == Press::none) continue;
    press = press == Press::waiting ? Press::seen : Press::none;
    updateHeld(code);
  }
}

void Keyboard::releaseAll() {
  down_.releaseAll();
  presses_.fill(Press::none);
  held_.releaseAll();
}

void Keyboard::updateHeld(int scanCode) {
  if (scanCode < 0 || scanCode >= SCAN_CODE_COUNT) return;
  held_.setDown(scanCode, down_.isDown(scanCode) ||
                              presses_[static_cast<std::size_t>(scanCode)] != Press::none);
}

// Keys beyond the ring's fifteen are dropped when they are read rather than
// when they come, so that a line being typed can keep them all; what is read
// outside a line is what the ring would have kept.
void Keyboard::push(KeyCode key) {
  queue_.push_back(Queued{key, pushed_++});
  if (queue_.size() > TYPED_KEYS_AT_MOST) queue_.pop_front();
}

void Keyboard::dropBeyondRing() {
  const auto ring = static_cast<std::size_t>(QUEUE_SLOTS - 1);
  while (!keepAll_ && queue_.size() > ring) queue_.pop_front();
}

std::optional<KeyCode> Keyboard::pop() {
  dropBeyondRing();
  if (queue_.empty()) return std::nullopt;
  const KeyCode key = queue_.front().key;
  queue_.pop_front();
  return key;
}

int Keyboard::waiting() const {
  const std::size_t ring = keepAll_ ? queue_.size() : static_cast<std::size_t>(QUEUE_SLOTS - 1);
  return static_cast<int>(std::min(queue_.size(), ring));
}

void Keyboard::paste(std::string text) {
  const std::size_t room = PASTED_BYTES_AT_MOST - pastedBytes_;
  if (text.size() > room) text.resize(room);
  if (text.empty()) return;
  pastedBytes_ += text.size();
  pastes_.push_back(Pasted{std::move(text), pushed_});
}

std::optional<std::string> Keyboard::takePaste() {
  dropBeyondRing();
  if (pastes_.empty()) return std::nullopt;
  if (!queue_.empty() && queue_.front().number < pastes_.front().before) return std::nullopt;
  std::string text = std::move(pastes_.front().text);
  pastes_.pop_front();
  pastedBytes_ -= text.size();
  return text;
}

}  // namespace glyphverse
