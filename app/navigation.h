#pragma once
// Held keys become moves and view-level steps of the explorer.

#include <cstdint>

#include "display/display.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr double MOVE_INTERVAL = 0.01;
inline constexpr double SLOW_MOVE_INTERVAL = 0.1;  // while Shift is held
inline constexpr double LEVEL_INTERVAL = 0.5;

// The explorer at (x, y) on the galaxy level with no system entered.
ViewState initViewState(std::int32_t x, std::int32_t y);

// Reads the keys once per frame: arrows move one cell (wrapping at the world's
// edges), paced by the move gate; Space and Alt step the view level, paced by
// the level gate.
void handleInput(ViewState& state, Display& display);

// Applies one view-level step and sets `changed`. Entering the star-system
// level generates the system under the explorer (which rebuilds the noise
// tables); entering the star-system or planet level starts at (0, 0).
void changeViewLevel(ViewState& state, std::int8_t step);

// Forgets the two repeat gates, so the next handleInput creates them afresh.
void resetInputGates();

}  // namespace glyphverse
