#include "gen/octaves.h"

#include "gen/rounding.h"

namespace glyphverse {
namespace {

struct AxisOctave {
  double fade;
  std::uint8_t index0;
  std::uint8_t index1;
};

// One axis of smoothNoise(coordinate / size, ..., period / size) for size 2^k.
AxisOctave axisOctave(double coordinate, double period, int k) {
  const double size = static_cast<double>(1 << k);
  const auto octavePeriod = static_cast<std::int32_t>(roundTiesToEven(period / size));
  const std::int64_t wrap = octavePeriod < 1 ? 1 : octavePeriod;
  const double scaled = coordinate / size;
  const double lattice = roundTiesToEven(scaled - 0.5);
  const auto cell = static_cast<std::int64_t>(lattice);
  return AxisOctave{fade(scaled - lattice), low8(truncatingRemainder(cell, wrap)),
                    low8(truncatingRemainder(cell + 1, wrap))};
}

}  // namespace

ColumnOctaves columnOctaves(double x, double period) {
  ColumnOctaves column;
  for (int k = 0; k < OCTAVE_COUNT; ++k) {
    const AxisOctave axis = axisOctave(x, period, k);
    column.fade[k] = axis.fade;
    column.index0[k] = axis.index0;
    column.index1[k] = axis.index1;
  }
  return column;
}

RowOctaves rowOctaves(double y, double period, const NoiseTables& tables) {
  RowOctaves row;
  for (int k = 0; k < OCTAVE_COUNT; ++k) {
    const AxisOctave axis = axisOctave(y, period, k);
    row.fade[k] = axis.fade;
    row.perm0[k] = tables.perm[axis.index0];
    row.perm1[k] = tables.perm[axis.index1];
  }
  return row;
}

void blendRow(RowBlends& blends, const RowOctaves& row, const NoiseTables& tables) {
  const auto& perm = tables.perm;
  const auto& values = tables.latticeValues;
  for (int k = 0; k < OCTAVE_COUNT; ++k) {
    const double w = row.fade[k];
    for (int i = 0; i < 256; ++i) {
      const double v0 = values[perm[i + row.perm0[k]]];
      const double v1 = values[perm[i + row.perm1[k]]];
      blends.blend[k][i] = v0 + (v1 - v0) * w;
    }
  }
}

}  // namespace glyphverse
