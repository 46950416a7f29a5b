#pragma once
// One coloured character of the map.

#include <cstdint>

namespace glyphverse {

// Glyph 0 means "nothing here"; otherwise the glyph is drawn opaque in
// 0xFF000000 | red << 16 | green << 8 | blue.
struct GlyphCell {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t glyph = 0;

  friend constexpr bool operator==(const GlyphCell&, const GlyphCell&) = default;
};

constexpr GlyphCell makeGlyphCell(std::uint8_t glyph, std::uint8_t red, std::uint8_t green,
                                  std::uint8_t blue) {
  return GlyphCell{red, green, blue, glyph};
}

constexpr bool isEmpty(GlyphCell cell) {
  return cell.glyph == 0;
}

constexpr std::uint32_t cellColor(GlyphCell cell) {
  return 0xFF000000u | static_cast<std::uint32_t>(cell.red) << 16 |
         static_cast<std::uint32_t>(cell.green) << 8 | cell.blue;
}

}  // namespace glyphverse
