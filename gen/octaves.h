#pragma once
// Turbulence for a grid of cells, taken apart by axis. Along a column every
// cell shares the x half of each octave's smooth noise (lattice indices and
// fade weight), along a row the y half; and the turbulences of one cell with
// different start sizes share their common octaves. Precomputing those halves
// gives exactly the values that turbulence() and smoothNoise() give cell by
// cell: the same operations on the same doubles, in the same order.

#include <array>
#include <cstdint>

#include "gen/channels.h"
#include "gen/noise.h"

namespace glyphverse {

// The x half of each octave at one world x.
struct ColumnOctaves {
  std::array<double, OCTAVE_COUNT> fade{};  // u = fade(fx)
  std::array<std::uint8_t, OCTAVE_COUNT> index0{};
  std::array<std::uint8_t, OCTAVE_COUNT> index1{};
};

// The y half of each octave at one world y, with the first permutation step
// already taken (perm[y0], perm[y1]) since it depends on the row alone.
struct RowOctaves {
  std::array<double, OCTAVE_COUNT> fade{};  // w = fade(fy)
  std::array<std::uint8_t, OCTAVE_COUNT> perm0{};
  std::array<std::uint8_t, OCTAVE_COUNT> perm1{};
};

// Every octave of a coordinate under the given period.
ColumnOctaves columnOctaves(double x, double period);
RowOctaves rowOctaves(double y, double period, const NoiseTables& tables);

// smoothNoise of octave k at the cell where the column and the row cross.
inline double octaveNoise(const ColumnOctaves& column, const RowOctaves& row, int k,
                          const NoiseTables& tables) {
  const auto& perm = tables.perm;
  const auto& values = tables.latticeValues;
  const double w = row.fade[k];
  const double v00 = values[perm[column.index0[k] + row.perm0[k]]];
  const double v01 = values[perm[column.index0[k] + row.perm1[k]]];
  const double v10 = values[perm[column.index1[k] + row.perm0[k]]];
  const double v11 = values[perm[column.index1[k] + row.perm1[k]]];
  const double l0 = v00 + (v01 - v00) * w;
  const double l1 = v10 + (v11 - v10) * w;
  return l0 + (l1 - l0) * column.fade[k];
}

// The y half of every octave blended along one row, for each lattice index
// of x: the l0 and l1 of octaveNoise for every column at once. Made once a
// row, it leaves each cell of the row two loads and one blend an octave.
struct RowBlends {
  std::array<std::array<double, 256>, OCTAVE_COUNT> blend{};
};
void blendRow(RowBlends& blends, const RowOctaves& row, const NoiseTables& tables);

// octaveNoise from the row's blends: the same operations on the same values.
inline double blendedOctaveNoise(const ColumnOctaves& column, const RowBlends& blends, int k) {
  const double l0 = blends.blend[k][column.index0[k]];
  const double l1 = blends.blend[k][column.index1[k]];
  return l0 + (l1 - l0) * column.fade[k];
}

// turbulence with start size 2^startOctave from the cell's octave noise values.
inline std::uint8_t turbulenceFromOctaves(const std::array<double, OCTAVE_COUNT>& noise,
                                          int startOctave) {
  double sum = 0.0;
  double size = static_cast<double>(1 << startOctave);
  const double startSize = size;
  for (int k = startOctave; k >= 0; --k, size /= 2.0) sum += noise[k] * size;
  return turbulenceByte(sum, startSize);
}

}  // namespace glyphverse
