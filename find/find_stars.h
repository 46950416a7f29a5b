#pragma once
// A star search on every core: rows of the area are handed out a few at a
// time to threads that each scan into a part of their own, and the parts are
// merged. The answer is the one-thread answer of searchStars, whatever the
// split.

#include "gen/star_search.h"

namespace glyphverse {

// Blocks until the search ends or `control` is cancelled. `threads` caps the
// threads used, the calling one included (0: one a core).
SearchResult findStars(const SearchRequest& request, SearchControl& control, int threads = 0);

}  // namespace glyphverse
