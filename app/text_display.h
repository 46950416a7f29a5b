#pragma once
// The text in the top-left corner: frame rate, position, seed, view level and
// the nebula intensity of the last system entered; and the name of the star
// under the explorer on the galaxy.

#include <cstdint>

#include "app/timing.h"
#include "display/display.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr Color TEXT_COLOR = 0xFF502828;
inline constexpr int TEXT_DISPLAY_ROWS = 5;
// Row 1 holds the frame rate and then, from this column, the star's name.
inline constexpr int NAME_COLUMN = 20;

// The star's name at (x, y), on row 1 from NAME_COLUMN, when `onStar`.
void printNameLine(Display& display, bool onStar, std::int32_t x, std::int32_t y);

// The five rows for the position (x, y) on the state's level.
void printTextDisplay(Display& display, const FrameMeter& meter, std::int32_t x, std::int32_t y,
                      const ViewState& state);

}  // namespace glyphverse
