#pragma once
// A headless display on a clock that moves only when told.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "display/display.h"
#include "display/font.h"
#include "display/glyph_drawing.h"
#include "display/headless_backend.h"

namespace glyphverse {

// Glyphs drawn onto the work page from outside the display, as a drawing pass
// does: their set pixels written straight onto the page, then recorded.
inline void drawGlyphs(Display& display, int x, int y, std::string_view text, Color colour) {
  Image* page = display.workPageImage();
  if (page == nullptr) return;
  for (std::size_t i = 0; i < text.size(); ++i) {
    drawGlyph(*page, x + GLYPH_SIZE * static_cast<int>(i), y, static_cast<std::uint8_t>(text[i]),
              colour);
  }
  display.recordPixels(PixelRect{x, y, GLYPH_SIZE * static_cast<int>(text.size()), GLYPH_SIZE});
}

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
