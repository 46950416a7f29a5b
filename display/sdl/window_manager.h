#pragma once
// Full screen where no window manager grants it.

#include <SDL2/SDL.h>

namespace glyphverse {

// Whether a window manager looks after the window's display. Only X11 can
// be asked (a manager announces itself on the root window); elsewhere one is
// assumed, since Wayland and the other platforms always have one.
bool hasWindowManager(SDL_Window* window);

// Full screen done by the window itself: it covers its display and goes
// back to where it was. SDL's own full screen asks the window manager, and
// without one it believes the window covers the screen while it does not,
// so the picture lands off-centre and cut off.
class FillingWindow {
 public:
  bool filling() const { return filling_; }
  void toggle(SDL_Window* window);

 private:
  bool filling_ = false;
  SDL_Rect windowed_{};
};

}  // namespace glyphverse
