#include "app/map_mode.h"

#include "app/text_display.h"
#include "gen/view_map.h"
#include "render/map_view.h"
#include "world/geometry.h"

namespace glyphverse {

void MapMode::handleHeldKeys(const HeldKeys& keys, double now) {
  handleInput(state_, keys, now, gates_);
  // A new level, or a journey: every cell is computed afresh.
  if (state_.changed) {
    map_ = initViewMap(state_.x, state_.y);
    state_.changed = false;
  }
}

void MapMode::draw(Display& display, double /*now*/) {
  assembleViewMap(map_, state_);
  drawViewMap(display, map_, MAP_RADIUS, MAP_RADIUS, MAP_LEFT, MAP_TOP);
  printNameLine(display, !isEmpty(map_.foreground[mapIndex(0, 0)]), state_.x, state_.y);
  printTextDisplay(display, meter_, state_.x, state_.y, state_);
}

}  // namespace glyphverse
