#pragma once
// The hunt as run by each rank. Rank 0 (the only one when run alone) keeps
// the tiles still to do, computes tiles on every core of its machine,
// answers the other ranks' requests with tiles and records every finished
// tile in the catalogue. The other ranks compute the tiles they are given.

#include <string>

#include "gen/star_hunt.h"
#include "keep/catalogue.h"
#include "tools/hunt/ranks.h"

namespace glyphverse {

struct HuntSetup {
  TilePlan plan;
  StarFilter filter;
  int threads = 0;  // on each rank; 0: one a core
  bool progress = true;
};

// Rank 0's part: "" once every tile is recorded, else the reason the hunt
// stopped (the catalogue still holding whole tiles). With a null `writer`
// (the catalogue could not be opened) it only tells the other ranks to stop.
std::string coordinateHunt(const HuntSetup& setup, CatalogueWriter* writer, Ranks& ranks);

// Any other rank's part, until rank 0 has no more tiles.
void computeGivenTiles(const HuntSetup& setup, Ranks& ranks);

}  // namespace glyphverse
