#pragma once
// Cells drawn exactly as the explorer's map draws them, into RGB rows of a
// PNG: a row of cells at a time onto a canvas eight pixels high, by the map's
// own cell drawing, then copied out while the canvas is in the cache.

#include <array>
#include <cstddef>
#include <cstdint>

#include "display/image.h"
#include "gen/cell_rules.h"
#include "world/terrain_class.h"

namespace glyphverse {

// A colour's red, green and blue bytes at `at`.
inline void storeRgb(std::uint8_t* at, Color color) {
  at[0] = static_cast<std::uint8_t>(color >> 16);
  at[1] = static_cast<std::uint8_t>(color >> 8);
  at[2] = static_cast<std::uint8_t>(color);
}

class GlyphRowPainter {
 public:
  GlyphRowPainter();  // makes the six terrain tiles

  // Draws `columns` cells side by side into eight RGB rows at `out`,
  // rowBytes apart. `canvas` is the caller's scratch space, made to fit on
  // first use and left cleared by every call: pass it to nothing else.
  void paint(const CellContent* cells, int columns, Image& canvas, std::uint8_t* out,
             std::size_t rowBytes) const;

 private:
  const Image* tileFor(TerrainClass terrain) const;

  std::array<Image, TERRAIN_CLASS_COUNT + 1> tiles_;  // 8 x 8, indexed by terrain class
};

}  // namespace glyphverse
