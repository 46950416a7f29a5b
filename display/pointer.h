#pragma once
// What a pointing device did, in page pixels: the window's scale and
// letterbox are taken out by the backend.

namespace glyphverse {

struct PointerEvent {
  // A cancel ends a press that is neither a click nor a drag (a second
  // finger came down for a pinch, or the platform took the gesture).
  enum class Kind { press, release, move, wheel, cancel };
  Kind kind = Kind::move;
  int x = 0;  // the page pixel under the pointer (outside the page while dragging off it)
  int y = 0;
  int clicks = 0;  // a press: 1, or 2 for the second press of a double click
  int wheel = 0;   // a wheel turn: steps, positive away from the user
};

}  // namespace glyphverse
