#include "app/navigation.h"

#include <optional>

#include "app/timing.h"
#include "display/keyboard.h"
#include "gen/cells.h"
#include "gen/noise.h"
#include "gen/star_system.h"

namespace glyphverse {
namespace {

struct InputGates {
  RepeatTimer move;
  RepeatTimer level;
};

// Created on the first handleInput, so their clocks start with the first frame.
std::optional<InputGates> gates;

InputGates& inputGates(Display& display) {
  if (!gates) {
    gates.emplace();
    repeatTimerInit(gates->move, MOVE_INTERVAL, true, display);
    repeatTimerInit(gates->level, LEVEL_INTERVAL, true, display);
  }
  return *gates;
}

void applyMoves(ViewState& state, RepeatTimer& gate, Display& display) {
  struct Move {
    int scanCode;
    std::int32_t dx;
    std::int32_t dy;
  };
  static constexpr Move MOVES[] = {
      {SCAN_UP, 0, -1}, {SCAN_DOWN, 0, 1}, {SCAN_LEFT, -1, 0}, {SCAN_RIGHT, 1, 0}};
  // Each arrow is tested on its own: two arrows move diagonally, opposite ones cancel.
  for (const Move& move : MOVES) {
    if (!display.isKeyDown(move.scanCode)) continue;
    state.x += move.dx;
    state.y += move.dy;
    repeatTimerRestart(gate, display);
  }
  state.x = wrapCoordinate(state.x);
  state.y = wrapCoordinate(state.y);
}

}  // namespace

ViewState initViewState(std::int32_t x, std::int32_t y) {
  ViewState state;
  clearStarSystem(state.system);
  state.x = x;
  state.y = y;
  state.viewLevel = GALAXY_LEVEL;
  // Room for a few levels of depth, so stepping down does not allocate.
  state.returnPositions.reserve(8);
  return state;
}

void handleInput(ViewState& state, Display& display) {
  InputGates& g = inputGates(display);
  // Set every frame, so that Shift also changes a wait already under way.
  g.move.interval = display.isKeyDown(SCAN_SHIFT) ? SLOW_MOVE_INTERVAL : MOVE_INTERVAL;
  if (repeatTimerReady(g.move, display)) applyMoves(state, g.move, display);
  if (repeatTimerReady(g.level, display)) {
    // A key that changes nothing (Alt on the galaxy) leaves the gate open.
    if (display.isKeyDown(SCAN_SPACE) && changeViewLevel(state, SPACE_STEP)) {
      repeatTimerRestart(g.level, display);
    }
    if (display.isKeyDown(SCAN_ALT) && changeViewLevel(state, ALT_STEP)) {
      repeatTimerRestart(g.level, display);
    }
  }
}

namespace {

void stepDown(ViewState& state) {
  state.returnPositions.push_back(Position{state.x, state.y});
  ++state.viewLevel;
  if (state.viewLevel == SYSTEM_LEVEL) {
    StarSystem entered;
    generateStarSystem(entered, state.x, state.y);
    state.system = std::move(entered);
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
  if (state.viewLevel == GALAXY_LEVEL) buildNoiseTables(INITIAL_NOISE_SEED);
}

}  // namespace

bool changeViewLevel(ViewState& state, std::int8_t step) {
  if (step < 0 && state.viewLevel <= GALAXY_LEVEL) return false;
  for (int n = 0; n < step; ++n) stepDown(state);
  for (int n = 0; n > step && state.viewLevel > GALAXY_LEVEL; --n) stepUp(state);
  state.changed = true;
  return true;
}

void resetInputGates() {
  gates.reset();
}

}  // namespace glyphverse
