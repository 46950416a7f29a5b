#pragma once
// A view level at one colour a cell: the zoomed-out look of posters and of
// the explorer's scanner.

#include <cstddef>
#include <cstdint>

#include "display/color.h"
#include "gen/cell_batch.h"

namespace glyphverse {

// The one colour of a cell drawn as a block: the terrain tile's colour, else
// the star over the nebula, else the background glyph's colour.
Color blockColor(const CellContent& cell);

// The block colours of cells (left + i, top + j), i < columns and j < rows,
// into out[j * stride + i]. Rows are shared out over every core; the batch is
// only read.
void fillBlockColors(const CellBatch& batch, std::int64_t left, std::int64_t top, int columns,
                     int rows, Color* out, std::size_t stride);

}  // namespace glyphverse
