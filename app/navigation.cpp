#include "app/navigation.h"

#include "gen/places.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

void createGates(InputGates& gates, double now) {
  repeatTimerInit(gates.move, MOVE_INTERVAL, true, now);
  repeatTimerInit(gates.level, LEVEL_INTERVAL, true, now);
  gates.created = true;
}

}  // namespace

ViewState initViewState(std::int32_t x, std::int32_t y) {
  return stateAt(galaxyPlace(x, y));
}

ArrowStep takeArrowStep(const HeldKeys& keys, double now, InputGates& gates) {
  if (!gates.created) createGates(gates, now);
  // Set every frame, so that Shift also changes a wait already under way.
  gates.move.interval = keys.isDown(SCAN_SHIFT) ? SLOW_MOVE_INTERVAL : MOVE_INTERVAL;
  ArrowStep step;
  if (!repeatTimerReady(gates.move, now)) return step;
  struct Arrow {
    int scanCode;
    std::int32_t dx;
    std::int32_t dy;
  };
  static constexpr Arrow ARROWS[] = {
      {SCAN_UP, 0, -1}, {SCAN_DOWN, 0, 1}, {SCAN_LEFT, -1, 0}, {SCAN_RIGHT, 1, 0}};
  // Each arrow is tested on its own: two arrows move diagonally, opposite ones
  // cancel, and every arrow that acted restarts the gate.
  for (const Arrow& arrow : ARROWS) {
    if (!keys.isDown(arrow.scanCode)) continue;
    step.dx += arrow.dx;
    step.dy += arrow.dy;
    step.taken = true;
    repeatTimerRestart(gates.move, now);
  }
  return step;
}

void handleInput(ViewState& state, const HeldKeys& keys, double now, InputGates& gates) {
  const ArrowStep step = takeArrowStep(keys, now, gates);
  if (step.taken) {
    state.x = wrapCoordinate(std::int64_t{state.x} + step.dx);
    state.y = wrapCoordinate(std::int64_t{state.y} + step.dy);
  }
  if (repeatTimerReady(gates.level, now)) {
    // A key that changes nothing (Alt on the galaxy) leaves the gate open.
    if (keys.isDown(SCAN_SPACE) && changeViewLevel(state, SPACE_STEP)) {
      repeatTimerRestart(gates.level, now);
    }
    if (keys.isDown(SCAN_ALT) && changeViewLevel(state, ALT_STEP)) {
      repeatTimerRestart(gates.level, now);
    }
  }
}

namespace {

void stepDown(ViewState& state) {
  state.returnPositions.push_back(Position{state.x, state.y});
  ++state.viewLevel;
  if (state.viewLevel == SYSTEM_LEVEL) {
    LevelWorld entered = worldAt(Place{SYSTEM_LEVEL, {state.x, state.y}, {}});
    state.system = std::move(entered.system);
    state.tables = entered.tables;
  }
  if (state.viewLevel == SYSTEM_LEVEL || state.viewLevel == PLANET_LEVEL) {
    state.x = 0;
    state.y = 0;
  }
}

void stepUp(ViewState& state) {
  --state.viewLevel;
  if (!state.returnPositions.empty()) {
    state.x = state.returnPositions.back().x;
    state.y = state.returnPositions.back().y;
    state.returnPositions.pop_back();
  }
  // The galaxy looks as it did only under its own tables; the system's stay
  // in force on the levels below it.
  if (state.viewLevel == GALAXY_LEVEL) state.tables = galaxyTables();
}

}  // namespace

bool changeViewLevel(ViewState& state, std::int8_t step) {
  if (step < 0 && state.viewLevel <= GALAXY_LEVEL) return false;
  if (step > 0 && state.viewLevel > DEEPEST_PLACE_LEVEL - step) return false;
  for (int n = 0; n < step; ++n) stepDown(state);
  for (int n = 0; n > step && state.viewLevel > GALAXY_LEVEL; --n) stepUp(state);
  state.changed = true;
  return true;
}

}  // namespace glyphverse
