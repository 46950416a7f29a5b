#pragma once
// Keeps the 61 x 61 map around the explorer up to date.

#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {

// Brings the map to the state's position and view level: cells that the
// previous map already holds are moved to their new places, the rest are
// generated (all of them when the map's rebuildAll is set) from the state's
// noise tables, level and system. Afterwards the
// origin is the state's position and rebuildAll is clear. Returns how many
// cells were generated.
int assembleViewMap(ViewMap& map, const ViewState& state);

}  // namespace glyphverse
