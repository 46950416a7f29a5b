#pragma once
// The 61 x 61 cells around the explorer, in three layers.

#include <array>
#include <cstdint>

#include "world/geometry.h"
#include "world/glyph_cell.h"
#include "world/terrain_class.h"

namespace glyphverse {

// A plain value with no pointers, so it can be copied and replaced whole.
struct ViewMap {
  std::int32_t originX = 0;  // the position the cells were computed around
  std::int32_t originY = 0;
  bool rebuildAll = true;  // no cell may be reused
  std::array<TerrainClass, MAP_CELLS> terrain{};
  std::array<GlyphCell, MAP_CELLS> background{};
  std::array<GlyphCell, MAP_CELLS> foreground{};

  friend bool operator==(const ViewMap&, const ViewMap&) = default;
};

// A map around (x, y) with every layer empty and rebuildAll set.
ViewMap initViewMap(std::int32_t x, std::int32_t y);

}  // namespace glyphverse
