#include "world/view_map.h"

namespace glyphverse {

ViewMap initViewMap(std::int32_t x, std::int32_t y) {
  ViewMap map;
  map.originX = x;
  map.originY = y;
  map.rebuildAll = true;
  return map;
}

}  // namespace glyphverse
