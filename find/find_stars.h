#pragma once
// A star search on every core: rows of the area are shared out over the
// thread pool, each scanned into a part of its own, and the parts merged.
// The answer is the one-thread answer of searchStars, whatever the split.

#include "gen/star_search.h"

namespace glyphverse {

// Blocks until the search ends or `control` is cancelled. `threads` caps the
// threads used (0: every core). Without oneTBB it runs on the calling thread.
SearchResult findStars(const SearchRequest& request, SearchControl& control, int threads = 0);

}  // namespace glyphverse
