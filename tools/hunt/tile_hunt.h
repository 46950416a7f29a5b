#pragma once
// One tile of a hunt on every core of this machine: its rows are handed out
// a few at a time to threads that each hunt into an outcome of their own.

#include "gen/star_hunt.h"

namespace glyphverse {

// The tile's outcome, the same for any number of threads (1 or more).
HuntOutcome huntTile(const StarPresence& presence, const StarFilter& filter, const CellRect& tile,
                     int threads);

// The threads a hunt uses when asked for `asked` (0: one a core).
int huntThreads(int asked);

}  // namespace glyphverse
