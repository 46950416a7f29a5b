#include "gen/cell_batch.h"

#include "world/geometry.h"

namespace glyphverse {

CellBatch::CellBatch(const LevelWorld& world)
    : tables_(world.tables),
      viewLevel_(world.viewLevel),
      period_(levelPeriod(world.viewLevel, world.system)) {
  if (viewLevel_ != SYSTEM_LEVEL) return;
  for (int t = 0; t < 256; ++t) {
    systemCells_.cells[t] = systemCellFor(world.system, static_cast<std::uint8_t>(t));
  }
}

// Star channels read unwrapped coordinates in the per-cell form; every octave
// period is a multiple of 256 there, so the wrapped ones used here give the
// same noise.
ColumnOctaves CellBatch::columnAt(std::int64_t x) const {
  return columnOctaves(wrapCoordinate(x), period_);
}

RowOctaves CellBatch::rowAt(std::int64_t y) const {
  return rowOctaves(wrapCoordinate(y), period_, tables_);
}

}  // namespace glyphverse
