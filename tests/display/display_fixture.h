#pragma once
// A headless display on a clock that moves only when told.

#include <memory>

#include "display/display.h"
#include "display/headless_backend.h"

namespace glyphverse {

struct HeadlessDisplay {
  ManualClock clock;
  Display display{std::make_unique<HeadlessBackend>(&clock), "test"};

  explicit HeadlessDisplay(bool open = true) {
    if (open) display.openScreen(600, 600, 32, 2, 0, 0);
  }

  const Image& work() const { return display.page(display.workPage()); }
  // How many pixels of the work page differ from `colour`.
  int countNot(Color colour) const {
    int n = 0;
    for (const Color p : work().pixels) n += p != colour ? 1 : 0;
    return n;
  }
};

}  // namespace glyphverse
