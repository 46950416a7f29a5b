#include "display/glyph_drawing.h"

#include <algorithm>
#include <cstddef>

#include "display/font.h"
#include "display/pixel_rows.h"

namespace glyphverse {

void drawGlyph(Image& target, int x, int y, std::uint8_t code, Color color) {
  const GlyphRows& rows = FONT_8X8[code];
  const bool inside =
      x >= 0 && y >= 0 && x <= target.width - GLYPH_SIZE && y <= target.height - GLYPH_SIZE;
  if (inside) {
    // Rewriting the clear pixels with what they hold changes nothing.
    const PixelRow ink = splatRow(color);
    Color* line = &target.at(x, y);
    for (int r = 0; r < GLYPH_SIZE; ++r, line += target.width) {
      if (rows[r] != 0) storeRow(line, paintGlyphRow(loadRow(line), rows[r], ink));
    }
    return;
  }
  for (int r = 0; r < GLYPH_SIZE; ++r) {
    const unsigned bits = rows[r];
    const int py = y + r;
    if (bits == 0 || py < 0 || py >= target.height) continue;
    Color* line = &target.pixels[static_cast<std::size_t>(py) * target.width];
    for (int c = 0; c < GLYPH_SIZE; ++c) {
      const int px = x + c;
      if ((bits & (0x80u >> c)) != 0 && px >= 0 && px < target.width) line[px] = color;
    }
  }
}

void putImageKeyed(Image& target, int x, int y, const Image& source) {
  const int firstColumn = std::max(0, -x);
  const int lastColumn = std::min(source.width, target.width - x);  // exclusive
  const int firstRow = std::max(0, -y);
  const int lastRow = std::min(source.height, target.height - y);
  for (int r = firstRow; r < lastRow; ++r) {
    const Color* from = &source.pixels[static_cast<std::size_t>(r) * source.width];
    Color* to = &target.pixels[static_cast<std::size_t>(y + r) * target.width + x];
    // A select rather than a branch: tiles mix key and glyph pixels unpredictably.
    for (int c = firstColumn; c < lastColumn; ++c) {
      const Color rgb = rgbOf(from[c]);
      to[c] = rgb != KEY_COLOR ? rgb : to[c];
    }
  }
}

}  // namespace glyphverse
