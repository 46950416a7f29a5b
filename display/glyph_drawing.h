#pragma once
// Pixels of glyphs and colour-keyed images on any image, clipped to it. The
// display draws its pages with these, and so does anything that renders the
// same cells into images of its own.

#include <cstdint>

#include "display/color.h"
#include "display/image.h"

namespace glyphverse {

// Writes the set pixels of one glyph of the 8 x 8 font at (x, y) in `color`.
void drawGlyph(Image& target, int x, int y, std::uint8_t code, Color color);
// Copies `source` with its top-left pixel at (x, y): pixels whose colour is
// KEY_COLOR are skipped, the others written with alpha 0.
void putImageKeyed(Image& target, int x, int y, const Image& source);

}  // namespace glyphverse
