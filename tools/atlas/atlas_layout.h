#pragma once
// Where an atlas lies in the world and how big its cells are drawn.

#include <cstdint>

namespace glyphverse {

// PNG allows images of up to 2^31 - 1 pixels a side.
inline constexpr std::int64_t PNG_MAX_SIDE = 2147483647;
// A cell drawn as the explorer's map draws it is a glyph's square.
inline constexpr int GLYPH_CELL_PIXELS = 8;

struct AtlasLayout {
  std::int64_t left = 0;  // world position of the top-left cell (any value: it wraps)
  std::int64_t top = 0;
  std::int64_t columns = 1;  // size in cells
  std::int64_t rows = 1;
  int cellPixels = 1;   // each cell is a square of this many pixels a side
  bool glyphs = false;  // drawn as the map draws it (cellPixels is then 8), else in one colour

  std::int64_t width() const { return columns * cellPixels; }
  std::int64_t height() const { return rows * cellPixels; }
  // Bytes of one PNG row: the filter type byte and three per pixel.
  std::int64_t rowBytes() const { return 1 + 3 * width(); }
};

// How many cell rows go into one band: about a few MiB of pixels, so that
// memory stays bounded by the width while the work per band stays large. It
// depends on the layout alone, never on the number of threads.
std::int64_t bandCellRows(const AtlasLayout& layout);

}  // namespace glyphverse
