#include "gen/view_map.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstring>

#include "gen/cell_batch.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

bool onMap(std::int64_t offset) {
  return offset >= -MAP_RADIUS && offset <= MAP_RADIUS;
}

// Moves every cell of a layer from index n + offset to index n. With the
// column-major layout a shift of the map by (sx, sy) is one constant offset
// sx * 61 + sy; cells whose source lies off the old map get stale values here
// and are generated afterwards.
template <typename Cell, std::size_t N>
void shiftLayer(std::array<Cell, N>& layer, std::int64_t offset) {
  const auto count = static_cast<std::int64_t>(N);
  if (offset == 0 || offset >= count || offset <= -count) return;
  const std::size_t moved = static_cast<std::size_t>(count - std::abs(offset));
  Cell* destination = layer.data() + std::max<std::int64_t>(0, -offset);
  const Cell* source = layer.data() + std::max<std::int64_t>(0, offset);
  std::memmove(destination, source, moved * sizeof(Cell));
}

void writeCell(ViewMap& map, int index, const CellContent& cell) {
  map.terrain[index] = cell.terrain;
  map.background[index] = cell.background;
  map.foreground[index] = cell.foreground;
}

// Generates whole new columns, and the new rows within the other columns.
int generateNewCells(ViewMap& map, const ViewState& state, const std::bitset<MAP_SIDE>& newColumns,
                     const std::bitset<MAP_SIDE>& newRows) {
  const CellBatch batch(state);
  // Rows are prepared for every cell that will be generated in them.
  const std::bitset<MAP_SIDE> rowsNeeded =
      newColumns.any() ? std::bitset<MAP_SIDE>().set() : newRows;
  std::array<RowOctaves, MAP_SIDE> rows;
  if (batch.hasContent()) {
    for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
      if (rowsNeeded[j + MAP_RADIUS]) rows[j + MAP_RADIUS] = batch.rowAt(std::int64_t{state.y} + j);
    }
  }
  int generated = 0;
  for (int i = -MAP_RADIUS; i <= MAP_RADIUS; ++i) {
    const bool wholeColumn = newColumns[i + MAP_RADIUS];
    if (!wholeColumn && newRows.none()) continue;
    const ColumnOctaves column =
        batch.hasContent() ? batch.columnAt(std::int64_t{state.x} + i) : ColumnOctaves{};
    for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
      if (!wholeColumn && !newRows[j + MAP_RADIUS]) continue;
      writeCell(map, mapIndex(i, j),
                batch.hasContent() ? batch.cellAt(column, rows[j + MAP_RADIUS]) : CellContent{});
      ++generated;
    }
  }
  return generated;
}

}  // namespace

int assembleViewMap(ViewMap& map, const ViewState& state) {
  const std::int64_t shiftX = static_cast<std::int64_t>(state.x) - map.originX;
  const std::int64_t shiftY = static_cast<std::int64_t>(state.y) - map.originY;
  // A longer shift leaves no old cell on the map.
  constexpr std::int64_t REUSE_LIMIT = std::int64_t{2} * MAP_RADIUS;
  const bool reuse =
      !map.rebuildAll && std::abs(shiftX) <= REUSE_LIMIT && std::abs(shiftY) <= REUSE_LIMIT;

  // Which cells need generating: whole columns that scrolled in, and within
  // the other columns the rows that scrolled in.
  std::bitset<MAP_SIDE> newColumns;
  std::bitset<MAP_SIDE> newRows;
  for (int d = -MAP_RADIUS; d <= MAP_RADIUS; ++d) {
    newColumns[d + MAP_RADIUS] = !reuse || !onMap(d + shiftX);
    newRows[d + MAP_RADIUS] = !reuse || !onMap(d + shiftY);
  }

  if (reuse) {
    const std::int64_t offset = shiftX * MAP_SIDE + shiftY;
    shiftLayer(map.terrain, offset);
    shiftLayer(map.background, offset);
    shiftLayer(map.foreground, offset);
  }

  // Most frames move nothing: then there is nothing to prepare either.
  const int generated =
      newColumns.none() && newRows.none() ? 0 : generateNewCells(map, state, newColumns, newRows);

  map.originX = state.x;
  map.originY = state.y;
  map.rebuildAll = false;
  return generated;
}

}  // namespace glyphverse
