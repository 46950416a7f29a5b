#pragma once
// Held keys become moves and view-level steps of the explorer.

#include <cstdint>

#include "app/timing.h"
#include "display/keyboard.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr double MOVE_INTERVAL = 0.01;
inline constexpr double SLOW_MOVE_INTERVAL = 0.1;  // while Shift is held
inline constexpr double LEVEL_INTERVAL = 0.5;
// Space goes deeper (galaxy, star system, planet surface), Alt comes back up.
inline constexpr std::int8_t SPACE_STEP = 1;
inline constexpr std::int8_t ALT_STEP = -1;

// The two repeat gates of the input handler: one pair per run, owned by the
// explorer and created, armed, on the first handleInput.
struct InputGates {
  RepeatTimer move;
  RepeatTimer level;
  bool created = false;
};

// The explorer at (x, y) on the galaxy level with no system entered and the
// galaxy's noise tables in force.
ViewState initViewState(std::int32_t x, std::int32_t y);

// The arrows' step of this frame: the sum of the held arrows' moves (one
// each), when the move gate is open and an arrow is held. Shift lengthens the
// gate's interval; the gates are created here on the first call.
struct ArrowStep {
  std::int32_t dx = 0;
  std::int32_t dy = 0;
  bool taken = false;  // an arrow acted (its moves may cancel out)
};
ArrowStep takeArrowStep(const HeldKeys& keys, double now, InputGates& gates);

// Reads this frame's held keys at clock reading `now`: arrows move one cell
// (wrapping at the world's edges), paced by the move gate; Space goes one
// view level down into the universe and Alt one level back up, paced by the
// level gate (Space first when both are held).
void handleInput(ViewState& state, const HeldKeys& keys, double now, InputGates& gates);

// Applies view-level steps and sets `changed`; returns false (and changes
// nothing) for a step up from the galaxy, the top level, and for a step down
// past DEEPEST_PLACE_LEVEL, where places end. Stepping down
// remembers the position left; entering the star-system level generates the
// system under the explorer (whose tables then come into force), and
// entering the star-system or planet level starts at (0, 0). Stepping up
// restores the position remembered for the level reached, keeps the current
// system, and on reaching the galaxy brings back the galaxy's tables.
bool changeViewLevel(ViewState& state, std::int8_t step);

}  // namespace glyphverse
