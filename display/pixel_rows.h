#pragma once
// Eight pixels at a time: one row of an 8 x 8 glyph or cell, held as two
// vectors of four 32-bit pixels, so that a row is composed with a few wide
// operations instead of eight tests and stores. Every operation gives exactly
// the pixels of the plain per-pixel loops it replaces.

#include <array>
#include <cstdint>
#include <cstring>

#include "display/color.h"
#include "display/font.h"
#include "display/image.h"

namespace glyphverse {

// Four pixels (GCC and Clang vector extension; plain SSE2 on x86-64).
using PixelLanes = std::uint32_t __attribute__((vector_size(16)));

struct PixelRow {
  PixelLanes left;
  PixelLanes right;
};

// For each value of a glyph row byte, its eight pixels as all-ones (set bit,
// the leftmost pixel from the most significant bit) or zero.
struct RowMaskTable {
  alignas(16) std::array<std::array<std::uint32_t, GLYPH_SIZE>, 256> masks;
};
extern const RowMaskTable GLYPH_ROW_MASKS;

inline PixelRow loadRow(const Color* pixels) {
  PixelRow row;
  std::memcpy(&row.left, pixels, sizeof row.left);
  std::memcpy(&row.right, pixels + 4, sizeof row.right);
  return row;
}

inline void storeRow(Color* pixels, const PixelRow& row) {
  std::memcpy(pixels, &row.left, sizeof row.left);
  std::memcpy(pixels + 4, &row.right, sizeof row.right);
}

inline PixelRow splatRow(Color color) {
  const PixelLanes lanes = {color, color, color, color};
  return {lanes, lanes};
}

inline PixelRow rowMask(std::uint8_t rowBits) {
  return loadRow(GLYPH_ROW_MASKS.masks[rowBits].data());
}

// Where `mask` is set, `color`; elsewhere `under`.
inline PixelRow selectRow(const PixelRow& mask, const PixelRow& color, const PixelRow& under) {
  return {(mask.left & color.left) | (~mask.left & under.left),
          (mask.right & color.right) | (~mask.right & under.right)};
}

// The eight rows of masks of one glyph, and of every glyph of the font.
using GlyphMask = std::array<PixelRow, GLYPH_SIZE>;
const std::array<GlyphMask, 256>& glyphMasks();

// Where `mask` is set, the bits of `change` flipped in `under`.
inline PixelRow flipRow(const PixelRow& under, const PixelRow& mask, const PixelRow& change) {
  return {under.left ^ (mask.left & change.left), under.right ^ (mask.right & change.right)};
}

// A glyph row painted over `under`: its set pixels in `color`.
inline PixelRow paintGlyphRow(const PixelRow& under, std::uint8_t rowBits, const PixelRow& color) {
  return selectRow(rowMask(rowBits), color, under);
}

// An 8 x 8 image prepared for colour-keyed copies: per row, the page pixels
// to keep (the image's key pixels) and the value to put in the others (the
// image's colour with alpha 0).
struct KeyedStamp {
  std::array<PixelRow, GLYPH_SIZE> keep;
  std::array<PixelRow, GLYPH_SIZE> value;
};

// The stamp of an image of exactly GLYPH_SIZE x GLYPH_SIZE pixels.
KeyedStamp keyedStampOf(const Image& image);

inline PixelRow stampRow(const PixelRow& under, const KeyedStamp& stamp, int row) {
  const PixelRow& keep = stamp.keep[row];
  const PixelRow& value = stamp.value[row];
  return {(under.left & keep.left) | value.left, (under.right & keep.right) | value.right};
}

}  // namespace glyphverse
