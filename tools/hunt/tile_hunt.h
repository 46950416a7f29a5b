#pragma once
// One tile of a hunt on the threads of a worker pool: its rows are handed
// out a few at a time to threads that each hunt into an outcome of their own.

#include "base/worker_pool.h"
#include "gen/star_hunt.h"

namespace glyphverse {

// The tile's outcome, the same on a pool of any number of threads.
HuntOutcome huntTile(const StarPresence& presence, const StarFilter& filter, const CellRect& tile,
                     WorkerPool& pool);

// The threads a hunt uses when asked for `asked` (0: one for each core this
// process may run on).
int huntThreads(int asked);

}  // namespace glyphverse
