#include "app/navigation.h"

#include <optional>

#include "app/timing.h"
#include "display/keyboard.h"
#include "gen/cells.h"
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

constexpr std::int8_t SPACE_STEP = 1;
constexpr std::int8_t ALT_STEP = 1;

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
  return state;
}

void handleInput(ViewState& state, Display& display) {
  InputGates& g = inputGates(display);
  // Set every frame, so that Shift also changes a wait already under way.
  g.move.interval = display.isKeyDown(SCAN_SHIFT) ? SLOW_MOVE_INTERVAL : MOVE_INTERVAL;
  if (repeatTimerReady(g.move, display)) applyMoves(state, g.move, display);
  if (repeatTimerReady(g.level, display)) {
    if (display.isKeyDown(SCAN_SPACE)) {
      changeViewLevel(state, SPACE_STEP);
      repeatTimerRestart(g.level, display);
    }
    if (display.isKeyDown(SCAN_ALT)) {
      changeViewLevel(state, ALT_STEP);
      repeatTimerRestart(g.level, display);
    }
  }
}

void changeViewLevel(ViewState& state, std::int8_t step) {
  state.viewLevel += step;
  state.changed = true;
  if (state.viewLevel == SYSTEM_LEVEL) {
    StarSystem entered;
    generateStarSystem(entered, state.x, state.y);
    state.system = std::move(entered);
    state.x = 0;
    state.y = 0;
  } else if (state.viewLevel == PLANET_LEVEL) {
    state.x = 0;
    state.y = 0;
  }
}

void resetInputGates() {
  gates.reset();
}

}  // namespace glyphverse
