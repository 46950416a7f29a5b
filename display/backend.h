#pragma once
// What a platform must provide for the display: a surface (pages shown in a
// window or kept in memory, or a terminal's text grid), its events, a clock
// and a sleep. Everything drawn is drawn by the shared display code; a
// backend only shows what is finished.

#include <cstdint>
#include <string>

#include "display/color.h"
#include "display/image.h"
#include "display/keyboard.h"
#include "display/page_regions.h"

namespace glyphverse {

enum class Surface {
  none,      // nothing opened: drawing, text and keys do nothing
  pages,     // pages exist; drawing and text go into them
  terminal,  // no pages: the text grid and the keys go to a terminal
};

// Where the cells of the text grid go. Rows and columns count from 1; codes
// are code-page-437 characters.
class TextSink {
 public:
  virtual ~TextSink() = default;
  // Every cell blank in `background`, as a cleared screen shows it.
  virtual void clearText(Color background) = 0;
  virtual void putText(int row, int column, std::uint8_t code, Color fore, Color back) = 0;
};

class DisplayBackend {
 public:
  virtual ~DisplayBackend() = default;

  // Opens a surface for width x height pixels (the text grid has one cell per
  // 8 x 8 of them). Returns what was opened; none when it cannot be.
  virtual Surface open(int width, int height, const std::string& title) = 0;
  // The terminal's text grid, once open() has returned Surface::terminal.
  virtual TextSink* terminalText() { return nullptr; }
  // How the pages are made up, for a backend that may show only part of them.
  virtual void setPageRegions(const PageRegions& /*regions*/) {}
  // The platform's turn, at every page flip and every sleep: handle pending
  // events into `keys` and show `visible` (a finished page, null without
  // pages) when due. `visibleChanged` says that another page has become the
  // visible one.
  virtual void service(const Image* visible, bool visibleChanged, Keyboard& keys) = 0;
  // Puts `text` (UTF-8) on the desktop's clipboard; false where there is no
  // clipboard to put it on, as for every backend but the window.
  virtual bool setClipboardText(const std::string& /*text*/) { return false; }
  // Monotonic seconds from a fixed origin.
  virtual double seconds() = 0;
  virtual void sleepMillis(int milliseconds) = 0;
  // Closes whatever open() opened. Called once; the backend may be destroyed after.
  virtual void close() = 0;
};

}  // namespace glyphverse
