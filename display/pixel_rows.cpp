#include "display/pixel_rows.h"

#include <cstddef>

namespace glyphverse {
namespace {

constexpr RowMaskTable makeRowMasks() {
  RowMaskTable table{};
  for (unsigned bits = 0; bits < 256; ++bits) {
    for (int c = 0; c < GLYPH_SIZE; ++c) {
      table.masks[bits][c] = (bits & (0x80u >> c)) != 0 ? 0xFFFFFFFFu : 0u;
    }
  }
  return table;
}

}  // namespace

constinit const RowMaskTable GLYPH_ROW_MASKS = makeRowMasks();

const std::array<GlyphMask, 256>& glyphMasks() {
  static const std::array<GlyphMask, 256> masks = [] {
    std::array<GlyphMask, 256> table{};
    for (std::size_t code = 0; code < table.size(); ++code) {
      for (int r = 0; r < GLYPH_SIZE; ++r) table[code][r] = rowMask(FONT_8X8[code][r]);
    }
    return table;
  }();
  return masks;
}

KeyedStamp keyedStampOf(const Image& image) {
  KeyedStamp stamp{};
  std::array<Color, GLYPH_SIZE> keep{};
  std::array<Color, GLYPH_SIZE> value{};
  for (int r = 0; r < GLYPH_SIZE; ++r) {
    for (int c = 0; c < GLYPH_SIZE; ++c) {
      const Color rgb = rgbOf(image.at(c, r));
      keep[c] = rgb == KEY_COLOR ? 0xFFFFFFFFu : 0u;
      value[c] = rgb == KEY_COLOR ? 0u : rgb;
    }
    stamp.keep[r] = loadRow(keep.data());
    stamp.value[r] = loadRow(value.data());
  }
  return stamp;
}

}  // namespace glyphverse
