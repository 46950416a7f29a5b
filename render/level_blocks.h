#pragma once
// A view level at one colour a cell: the zoomed-out look of posters and of
// the explorer's scanner.

#include <cstddef>
#include <cstdint>

#include "base/worker_pool.h"
#include "display/color.h"
#include "gen/cell_batch.h"
#include "gen/star_filter.h"
#include "render/tiles.h"

namespace glyphverse {

// The one colour of a cell drawn as a block: the terrain tile's colour, else
// the star over the nebula, else the background glyph's colour. Inline: it
// runs for every cell, and a call would take the cell through memory.
inline Color blockColor(const CellContent& cell) {
  if (cell.terrain != TerrainClass::none) return tileStyle(cell.terrain).color;
  if (!isEmpty(cell.foreground)) return cellColor(cell.foreground);
  if (!isEmpty(cell.background)) return cellColor(cell.background);
  return DEFAULT_BACKGROUND;
}

// The block colours of cells (left + i, top + j), i < columns and j < rows,
// into out[j * stride + i]. With `marks`, also whether each cell is a star
// whose system passes that filter, into marked[j * stride + i]. Rows are
// shared out over the pool's threads; the batch and the filter are only read.
void fillBlockColors(WorkerPool& pool, const CellBatch& batch, std::int64_t left, std::int64_t top,
                     int columns, int rows, Color* out, std::size_t stride,
                     const StarFilter* marks = nullptr, std::uint8_t* marked = nullptr);

}  // namespace glyphverse
