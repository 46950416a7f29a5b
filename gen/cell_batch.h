#pragma once
// Generates map cells in bulk for one assembly of the view map, giving exactly
// the cells of nebulaCellAt, starCellAt, systemBackgroundAt and terrainClassAt.

#include <array>
#include <bitset>
#include <cstdint>

#include "gen/octaves.h"
#include "world/geometry.h"
#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {

class CellBatch {
 public:
  // Prepares the y halves of the noise for the rows that will be generated.
  CellBatch(const ViewState& state, const std::bitset<MAP_SIDE>& rows);

  // Prepares the x halves of the noise for column offset i.
  void startColumn(int i);
  // Writes all three layers of cell (i, j) of the map for the state's view level.
  void generate(int i, int j, ViewMap& map) const;

 private:
  void generateGalaxy(int index, const RowOctaves& row, ViewMap& map) const;
  void generateSystem(int index, const RowOctaves& row, ViewMap& map) const;
  void generatePlanet(int index, const RowOctaves& row, ViewMap& map) const;

  const NoiseTables& tables_;
  std::int32_t viewLevel_;
  std::int64_t x_;
  std::int64_t y_;
  double period_ = 0.0;
  int octaves_ = 0;
  std::array<RowOctaves, MAP_SIDE> rows_{};
  ColumnOctaves column_{};
  // Star-system level: the background cell for each turbulence byte.
  std::array<GlyphCell, 256> systemCells_{};
};

}  // namespace glyphverse
