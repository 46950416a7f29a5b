#include "app/map_mode.h"

#include <cstdlib>

#include "app/text_display.h"
#include "gen/view_map.h"
#include "render/map_view.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// A press that moves less than this many pixels is still a click or a tap.
constexpr int DRAG_PIXELS = CELL_SIZE / 2;

// The map cell under a page pixel, as an offset from the explorer's; none
// off the map.
std::optional<Position> mapCellAt(int x, int y) {
  const auto offset = [](int pixel, int edge) -> std::optional<std::int32_t> {
    if (pixel < edge || pixel >= edge + MAP_SIDE * CELL_SIZE) return std::nullopt;
    return (pixel - edge) / CELL_SIZE - MAP_RADIUS;
  };
  const auto dx = offset(x, MAP_LEFT);
  const auto dy = offset(y, MAP_TOP);
  if (!dx || !dy) return std::nullopt;
  return Position{*dx, *dy};
}

// Towards zero, so that a drag back to where it started asks for nothing.
int wholeCells(int pixels) {
  return pixels / CELL_SIZE;
}

int signOf(std::int32_t n) {
  return (n > 0) - (n < 0);
}

}  // namespace

void MapMode::handleHeldKeys(const HeldKeys& keys, double now) {
  handleInput(state_, keys, now, gates_);
  stepTowardsWalkEnd(now);
  // A new level, or a journey: every cell is computed afresh, and a walk
  // asked for on the old map is over.
  if (state_.changed) {
    map_ = initViewMap(state_.x, state_.y);
    state_.changed = false;
    walk_ = Walk{};
    press_.reset();
  }
}

// One step a time, as held arrows step: diagonally while both ways remain.
void MapMode::stepTowardsWalkEnd(double now) {
  if (walk_.dx == 0 && walk_.dy == 0) return;
  if (!repeatTimerReady(gates_.move, now)) return;
  const std::int32_t dx = signOf(walk_.dx);
  const std::int32_t dy = signOf(walk_.dy);
  state_.x = wrapCoordinate(std::int64_t{state_.x} + dx);
  state_.y = wrapCoordinate(std::int64_t{state_.y} + dy);
  walk_.dx -= dx;
  walk_.dy -= dy;
  repeatTimerRestart(gates_.move, now);
}

KeyUse MapMode::handlePointer(const PointerEvent& event, double /*now*/) {
  switch (event.kind) {
    case PointerEvent::Kind::press:
      if (!mapCellAt(event.x, event.y)) return KeyUse::unused;
      // The second press of a double click is no new click: the cell under
      // it has moved since the first set off the walk.
      if (event.clicks >= 2) return KeyUse::used;
      press_ = Press{event.x, event.y, Walk{}, false};
      return KeyUse::used;
    case PointerEvent::Kind::move: {
      if (!press_) return KeyUse::unused;
      const int dx = event.x - press_->x;
      const int dy = event.y - press_->y;
      press_->dragging =
          press_->dragging || std::abs(dx) >= DRAG_PIXELS || std::abs(dy) >= DRAG_PIXELS;
      if (!press_->dragging) return KeyUse::used;
      // Only what the drag adds is walked: a cell for each cell crossed.
      walk_.dx += wholeCells(dx) - press_->swiped.dx;
      walk_.dy += wholeCells(dy) - press_->swiped.dy;
      press_->swiped = Walk{wholeCells(dx), wholeCells(dy)};
      return KeyUse::used;
    }
    case PointerEvent::Kind::release: {
      if (!press_) return KeyUse::unused;
      const bool clicked = !press_->dragging;
      const std::optional<Position> cell = mapCellAt(press_->x, press_->y);
      press_.reset();
      // A click asks for a new walk: to the cell, from where the explorer is.
      if (clicked && cell) walk_ = Walk{cell->x, cell->y};
      return KeyUse::used;
    }
    case PointerEvent::Kind::wheel:
      return KeyUse::unused;
    case PointerEvent::Kind::cancel:
      press_.reset();
      return KeyUse::unused;
  }
  return KeyUse::unused;
}

void MapMode::draw(Display& display, double /*now*/) {
  assembleViewMap(map_, state_);
  drawViewMap(display, map_, MAP_RADIUS, MAP_RADIUS, MAP_LEFT, MAP_TOP);
  printNameLine(display, !isEmpty(map_.foreground[mapIndex(0, 0)]), state_.x, state_.y);
  printTextDisplay(display, meter_, state_.x, state_.y, state_);
}

}  // namespace glyphverse
