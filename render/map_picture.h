#pragma once
// The frame's own copy of the map's cells, made from the explorer's map at
// the time it is drawn: backends read the copy, never the live map.

#include "display/frame.h"
#include "world/view_map.h"

namespace glyphverse {

// Fills the layers of `picture` (sized for its place, as Frame::setMap gives
// them) with the map's cells at that place and the terrain tiles. The place
// must lie within the map.
void copyMapCells(MapPicture& picture, const ViewMap& map);

}  // namespace glyphverse
