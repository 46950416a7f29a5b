#pragma once
// What a platform must provide for the display: a surface (pages shown in a
// window or kept in memory, or a terminal), its events, a clock and a sleep.
// Everything drawn is drawn by the shared display code; a backend only shows
// what is finished: the visible page, or the frame that it shows.

#include <cstdint>
#include <optional>
#include <string>

#include "display/color.h"
#include "display/frame.h"
#include "display/image.h"
#include "display/keyboard.h"
#include "display/pointer.h"

namespace glyphverse {

enum class Surface {
  none,      // nothing opened: drawing, text and keys do nothing
  pages,     // pages exist; drawing and text go into them
  terminal,  // no pages: the frames' text and the keys go to a terminal
};

// What the display hands a backend at its turn.
struct Shown {
  // The visible page; null without pages.
  const Image* page = nullptr;
  // What the visible page shows, given once: when a finished frame has just
  // become the visible one. It is valid during the call only, since the map
  // it points to changes as the next frame is drawn.
  const Frame* frame = nullptr;
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // Opens a surface for width x height pixels (the text grid has one cell per
  // 8 x 8 of them). Returns what was opened; none when it cannot be.
  virtual Surface open(int width, int height, const std::string& title) = 0;
  // What to keep in view where there is room for only part of a frame.
  virtual void setFrameLayout(const FrameLayout& /*layout*/) {}
  // The platform's turn, at every page flip and every sleep: handle pending
  // events into `keys` and show what is visible when due.
  virtual void service(const Shown& shown, Keyboard& keys) = 0;
  // The oldest pointer event gathered by the services, if the platform has a
  // pointer; the left button only.
  virtual std::optional<PointerEvent> nextPointerEvent() { return std::nullopt; }
  // Puts `text` (UTF-8) on the desktop's clipboard; true only where it
  // surely did (the window, the page), false where there is no clipboard or
  // no word back from it (a terminal).
  virtual bool setClipboardText(const std::string& /*text*/) { return false; }
  // Monotonic seconds from a fixed origin.
  virtual double seconds() = 0;
  virtual void sleepMillis(int milliseconds) = 0;
  // Closes whatever open() opened. Called once; the backend may be destroyed after.
  virtual void close() = 0;
};

}  // namespace glyphverse
