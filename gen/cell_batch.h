#pragma once
// Cells of one view level in bulk, exactly as the per-cell generators give
// them. The noise of a cell splits into an x half shared down its column and
// a y half shared along its row: prepare each row and each column once, then
// every cell where they cross is cheap. A batch only reads what it is given,
// so any number of threads may share one.

#include <array>
#include <cstdint>

#include "gen/cell_rules.h"
#include "gen/octaves.h"
#include "world/level_world.h"

namespace glyphverse {

// The octave noise of one cell, computed only as far as its channels ask.
class OctaveNoise {
 public:
  OctaveNoise(const ColumnOctaves& column, const RowOctaves& row, const NoiseTables& tables)
      : column_(column), row_(row), tables_(tables) {}

  std::uint8_t operator()(NoiseChannel channel) {
    const int top = channel.startOctave();
    for (; computed_ <= top; ++computed_) {
      noise_[computed_] = octaveNoise(column_, row_, computed_, tables_);
    }
    return turbulenceFromOctaves(noise_, top);
  }

 private:
  const ColumnOctaves& column_;
  const RowOctaves& row_;
  const NoiseTables& tables_;
  std::array<double, OCTAVE_COUNT> noise_{};
  int computed_ = 0;
};

// A system's background cell for every noise byte, made once per batch.
struct SystemCells {
  std::array<GlyphCell, 256> cells{};
};
inline GlyphCell systemCellFor(const SystemCells& system, std::uint8_t noise) {
  return system.cells[noise];
}

class CellBatch {
 public:
  // The batch keeps a reference: the world's tables must outlive it.
  explicit CellBatch(const LevelWorld& world);

  bool hasContent() const { return levelHasContent(viewLevel_); }
  std::int32_t viewLevel() const { return viewLevel_; }
  // The halves of world column x and world row y (any values: they wrap).
  ColumnOctaves columnAt(std::int64_t x) const;
  RowOctaves rowAt(std::int64_t y) const;
  // The noise where a prepared column and row cross, for rules that ask
  // only some channels of a cell.
  OctaveNoise noiseAt(const ColumnOctaves& column, const RowOctaves& row) const {
    return OctaveNoise(column, row, tables_);
  }
  // The cell where a prepared column and row cross.
  CellContent cellAt(const ColumnOctaves& column, const RowOctaves& row) const {
    return levelCellFrom(viewLevel_, OctaveNoise(column, row, tables_), systemCells_);
  }

 private:
  const NoiseTables& tables_;
  std::int32_t viewLevel_;
  double period_;
  SystemCells systemCells_;
};

}  // namespace glyphverse
