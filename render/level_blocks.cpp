#include "render/level_blocks.h"

#include <algorithm>
#include <vector>

#include "render/tiles.h"

namespace glyphverse {
namespace {

// Enough rows a task that handing it out stays small beside them.
constexpr int ROWS_PER_TASK = 16;

struct Marking {
  const StarFilter* filter = nullptr;
  std::uint8_t* marked = nullptr;
};

// What the cells of every row share; each thread makes it once, at its first rows.
void prepareColumns(const CellBatch& batch, std::int64_t left, int columns,
                    std::vector<ColumnOctaves>& columnHalves) {
  if (!columnHalves.empty()) return;
  columnHalves.resize(static_cast<std::size_t>(columns));
  for (int i = 0; i < columns; ++i) columnHalves[i] = batch.columnAt(left + i);
}

void fillRows(const CellBatch& batch, std::int64_t left, std::int64_t top,
              const std::vector<ColumnOctaves>& columnHalves, int firstRow, int lastRow, Color* out,
              std::size_t stride, Marking marking) {
  const int columns = static_cast<int>(columnHalves.size());
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

void fillBlockColors(WorkerPool& pool, const CellBatch& batch, std::int64_t left, std::int64_t top,
                     int columns, int rows, Color* out, std::size_t stride, const StarFilter* marks,
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
  const int tasks = (rows + ROWS_PER_TASK - 1) / ROWS_PER_TASK;
  std::vector<std::vector<ColumnOctaves>> columnParts(
      static_cast<std::size_t>(std::min(pool.threads(), tasks)));
  pool.runTasksInParts(columnParts, tasks,
                       [&](std::vector<ColumnOctaves>& columnHalves, std::int64_t task) {
                         prepareColumns(batch, left, columns, columnHalves);
                         const int first = static_cast<int>(task) * ROWS_PER_TASK;
                         fillRows(batch, left, top, columnHalves, first,
                                  std::min(rows, first + ROWS_PER_TASK), out, stride, marking);
                       });
}

}  // namespace glyphverse
