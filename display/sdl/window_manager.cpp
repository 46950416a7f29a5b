#include "display/sdl/window_manager.h"

#include <SDL2/SDL_syswm.h>

#include <optional>

#if defined(GLYPHVERSE_HAS_X11)
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#endif

namespace glyphverse {
namespace {

#if defined(GLYPHVERSE_HAS_X11)
// The window's X11 connection and id, where SDL runs on X11.
std::optional<SDL_SysWMinfo> x11Of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (SDL_GetWindowWMInfo(window, &info) == SDL_FALSE || info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  return info;
}
#endif

// Where the window is on the screen. SDL's own record can miss a move made
// by another program when no window manager reports it; X11 is asked.
SDL_Rect windowRect(SDL_Window* window) {
  SDL_Rect rect{};
  SDL_GetWindowPosition(window, &rect.x, &rect.y);
  SDL_GetWindowSize(window, &rect.w, &rect.h);
#if defined(GLYPHVERSE_HAS_X11)
  if (const auto x11 = x11Of(window)) {
    Display* display = x11->info.x11.display;
    ::Window child = 0;
    XTranslateCoordinates(display, x11->info.x11.window, DefaultRootWindow(display), 0, 0, &rect.x,
                          &rect.y, &child);
  }
#endif
  return rect;
}

}  // namespace

bool hasWindowManager(SDL_Window* window) {
#if defined(GLYPHVERSE_HAS_X11)
  const auto x11 = x11Of(window);
  if (!x11) return true;
  Display* display = x11->info.x11.display;
  // Only if it exists: asking for the atom must not create it.
  const Atom check = XInternAtom(display, "_NET_SUPPORTING_WM_CHECK", True);
  if (check == None) return false;
  Atom type = None;
  int format = 0;
  unsigned long count = 0;
  unsigned long after = 0;
  unsigned char* data = nullptr;
  const int status = XGetWindowProperty(display, DefaultRootWindow(display), check, 0, 1, False,
                                        XA_WINDOW, &type, &format, &count, &after, &data);
  if (data != nullptr) XFree(data);
  return status == Success && type == XA_WINDOW && count == 1;
#else
  (void)window;
  return true;
#endif
}

void FillingWindow::toggle(SDL_Window* window) {
  if (filling_) {
    SDL_SetWindowSize(window, windowed_.w, windowed_.h);
    SDL_SetWindowPosition(window, windowed_.x, windowed_.y);
    filling_ = false;
    return;
  }
  SDL_Rect bounds{};
  const int display = SDL_GetWindowDisplayIndex(window);
  if (display < 0 || SDL_GetDisplayBounds(display, &bounds) != 0) return;
  windowed_ = windowRect(window);
  SDL_SetWindowPosition(window, bounds.x, bounds.y);
  SDL_SetWindowSize(window, bounds.w, bounds.h);
  SDL_RaiseWindow(window);
  filling_ = true;
}

}  // namespace glyphverse
