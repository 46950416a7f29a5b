#pragma once
// Choosing from a list by keys: Up and Down move the choice (Page Up and
// Page Down a page, Home and End to the ends), Enter takes it, Delete asks
// once and removes on a second Delete, Esc closes. What is chosen and what
// it does is the owner's.

#include <cstddef>

#include "display/keyboard.h"

namespace glyphverse {

class ListChoice {
 public:
  enum class Action { none, take, remove, close };

  explicit ListChoice(std::size_t pageRows = 10) : pageRows_(pageRows) {}

  // A list of `count` entries; the choice stays where it was, within them.
  void setCount(std::size_t count);
  Action handleKey(KeyCode key);
  // A tap on entry `entry`: the chosen one is taken, another one chosen.
  Action tapEntry(std::size_t entry);

  std::size_t chosen() const { return chosen_; }
  // Delete was pressed once: the next Delete removes the chosen entry.
  bool confirmingRemoval() const { return confirming_; }
  // The first entry of the page that shows the choice.
  std::size_t firstShown() const { return chosen_ / pageRows_ * pageRows_; }

 private:
  std::size_t pageRows_;
  std::size_t count_ = 0;
  std::size_t chosen_ = 0;
  bool confirming_ = false;
};

}  // namespace glyphverse
