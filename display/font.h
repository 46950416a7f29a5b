#pragma once
#include <array>
#include <cstdint>
namespace glyphverse {
// One glyph: 8 row bytes from the top row down; the most significant bit of a
// row is its leftmost pixel, a set bit is a glyph pixel.
using GlyphRows = std::array<std::uint8_t, 8>;
inline constexpr int GLYPH_SIZE = 8;
// The 256 glyphs of the code-page-437 character set, indexed by character code.
extern const std::array<GlyphRows, 256> FONT_8X8;
}  // namespace glyphverse
