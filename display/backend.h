#pragma once
// What a platform must provide for the display: a window (or a terminal), its
// events, a clock and a sleep. Everything drawn is drawn by the shared display
// code into in-memory pages; a backend only shows the finished visible page.

#include <cstdint>
#include <string>

#include "display/color.h"
#include "display/image.h"
#include "display/keyboard.h"

namespace glyphverse {

enum class Surface {
  none,     // nothing opened: drawing, text and keys do nothing
  window,   // pages exist and the visible one is shown
  console,  // no pages: clearing, the text grid and the keyboard use a terminal
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // Opens a window whose drawing area is width x height pixels. Returns what
  // was opened; a backend that cannot open its surface returns none.
  virtual Surface open(int width, int height, const std::string& title) = 0;
  // The platform's turn, at every page flip and every sleep: handle pending
  // events into `keys` and show `visible` (a finished page) when due.
  // `visibleChanged` says that another page has become the visible one.
  virtual void service(const Image* visible, bool visibleChanged, Keyboard& keys) = 0;
  // Monotonic seconds from a fixed origin.
  virtual double seconds() = 0;
  virtual void sleepMillis(int milliseconds) = 0;
  // Closes whatever open() opened. Called once; the backend may be destroyed after.
  virtual void close() = 0;

  // The text grid on a terminal, used only on the console surface. Rows and
  // columns count from 1; codes are code-page-437 characters.
  virtual void consoleClear(Color /*background*/) {}
  virtual void consolePutChar(int /*row*/, int /*column*/, std::uint8_t /*code*/, Color /*fore*/,
                              Color /*back*/) {}
};

}  // namespace glyphverse
