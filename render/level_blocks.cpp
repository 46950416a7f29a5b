#include "render/level_blocks.h"

#include <algorithm>
#include <vector>

#include "render/tiles.h"

#if GLYPHVERSE_HAS_TBB
#include <tbb/blocked_range.h>
#include <tbb/parallel_for.h>
#endif

namespace glyphverse {
namespace {

#if GLYPHVERSE_HAS_TBB
// Enough rows a task that preparing its rows and columns stays small beside them.
constexpr int ROWS_PER_TASK = 16;
#endif

struct Marking {
  const StarFilter* filter = nullptr;
  std::uint8_t* marked = nullptr;
};

void fillRows(const CellBatch& batch, std::int64_t left, std::int64_t top, int columns,
              int firstRow, int lastRow, Color* out, std::size_t stride, Marking marking) {
  std::vector<ColumnOctaves> columnHalves(static_cast<std::size_t>(columns));
  for (int i = 0; i < columns; ++i) columnHalves[i] = batch.columnAt(left + i);
  for (int j = firstRow; j < lastRow; ++j) {
    const RowOctaves row = batch.rowAt(top + j);
    Color* line = out + static_cast<std::size_t>(j) * stride;
    if (marking.filter == nullptr) {
      for (int i = 0; i < columns; ++i) line[i] = blockColor(batch.cellAt(columnHalves[i], row));
      continue;
    }
    std::uint8_t* marks = marking.marked + static_cast<std::size_t>(j) * stride;
    for (int i = 0; i < columns; ++i) {
      const CellContent cell = batch.cellAt(columnHalves[i], row);
      line[i] = blockColor(cell);
      marks[i] = galaxyCellMatches(*marking.filter, cell, left + i, top + j) ? 1 : 0;
    }
  }
}

}  // namespace

void fillBlockColors(const CellBatch& batch, std::int64_t left, std::int64_t top, int columns,
                     int rows, Color* out, std::size_t stride, const StarFilter* marks,
                     std::uint8_t* marked) {
  if (columns <= 0 || rows <= 0) return;
  // Only the galaxy has stars to mark.
  const Marking marking = batch.viewLevel() == GALAXY_LEVEL && marks != nullptr && marked != nullptr
                              ? Marking{marks, marked}
                              : Marking{};
  if (!batch.hasContent() || marking.filter == nullptr) {
    for (int j = 0; marked != nullptr && j < rows; ++j) {
      std::fill_n(marked + static_cast<std::size_t>(j) * stride, columns, std::uint8_t{0});
    }
  }
  if (!batch.hasContent()) {
    for (int j = 0; j < rows; ++j) {
      Color* line = out + static_cast<std::size_t>(j) * stride;
      for (int i = 0; i < columns; ++i) line[i] = DEFAULT_BACKGROUND;
    }
    return;
  }
#if GLYPHVERSE_HAS_TBB
  if (rows > ROWS_PER_TASK) {
    tbb::parallel_for(
        tbb::blocked_range<int>(0, rows, ROWS_PER_TASK), [&](const tbb::blocked_range<int>& range) {
          fillRows(batch, left, top, columns, range.begin(), range.end(), out, stride, marking);
        });
    return;
  }
#endif
  fillRows(batch, left, top, columns, 0, rows, out, stride, marking);
}

}  // namespace glyphverse
