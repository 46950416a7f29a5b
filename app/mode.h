#pragma once
// A mode of the explorer: the map, the scanner, or a panel over them. Each
// takes its own keys and draws itself; the frame loop only knows which ones
// are showing and which of them is on top.

#include <string>
#include <string_view>

#include "display/display.h"
#include "display/keyboard.h"
#include "display/pointer.h"

namespace glyphverse {

enum class KeyUse { unused, used };

class Mode {
 public:
  virtual ~Mode() = default;
  // This frame's held keys, at the frame's clock reading.
  virtual void handleHeldKeys(const HeldKeys& /*keys*/, double /*now*/) {}
  // One typed key; an unused one goes on to the mode beneath, and last to
  // the explorer's own keys.
  virtual KeyUse handleKey(KeyCode key, double now) = 0;
  // One pointer event; unused ones go on to the mode beneath.
  virtual KeyUse handlePointer(const PointerEvent& /*event*/, double /*now*/) {
    return KeyUse::unused;
  }
  // Draws the mode onto the work page: pictures first, text over them.
  virtual void draw(Display& display, double now) = 0;
  // A panel that only shows something leaves the held keys to the mode
  // beneath it; one that is typed into takes them, so nothing moves meanwhile.
  virtual bool takesHeldKeys() const { return true; }
  // True while a line is being typed into it: the frame then gives it every
  // waiting key, not one, and what is pasted.
  virtual bool typesLine() const { return false; }
  // Text pasted while its line is typed.
  virtual void paste(std::string_view /*text*/) {}
  // What did not fit on its line since the last call.
  virtual std::string takeCut() { return {}; }
};

}  // namespace glyphverse
