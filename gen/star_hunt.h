#pragma once
// A hunt: every galaxy cell of a rectangle examined, every star's system
// counted into a census, and the systems that pass a filter kept. The
// rectangle is cut into tiles in a fixed order; a tile's outcome is a pure
// function of its coordinates and the filter, whoever computes it and when.

#include <cstdint>
#include <string>
#include <vector>

#include "gen/cell_batch.h"
#include "gen/star_filter.h"
#include "gen/star_presence.h"
#include "world/hunt_records.h"

namespace glyphverse {

// A rectangle cut into square tiles of `side` cells (narrower at the right
// and bottom edges), numbered row by row from the top left.
struct TilePlan {
  CellRect region;
  std::int32_t side = DEFAULT_TILE_SIDE;

  std::int64_t columns() const { return (region.width + side - 1) / side; }
  std::int64_t rows() const { return (region.height + side - 1) / side; }
  std::int64_t tileCount() const { return columns() * rows(); }
  CellRect tile(std::int64_t index) const;
};

// One rectangle's hunt, its columns prepared once. Only read afterwards, so
// threads may hunt its rows at once, each into an outcome of its own.
class RectHunt {
 public:
  // Keeps references: `presence` and `filter` must outlive the hunt.
  RectHunt(const StarPresence& presence, const StarFilter& filter, const CellRect& rect);

  // Examines rows firstRow to lastRow - 1 of the rectangle (0 is its top row).
  HuntOutcome rows(std::int64_t firstRow, std::int64_t lastRow) const;

 private:
  const StarPresence& presence_;
  const StarFilter& filter_;
  CellRect rect_;
  CellBatch batch_;
  std::vector<ColumnOctaves> columns_;  // of x = rect.x on
};

}  // namespace glyphverse
