#pragma once
// A hunt's catalogue as glyphverse-query --catalogue prints it: its systems,
// or its census, one line each, tab-separated or one JSON object a line.

#include <string>
#include <vector>

#include "gen/star_hunt.h"

namespace glyphverse {

// X, Y, then the columns of the system query: seed, size, starCount,
// planetCount, bodyCount, nebColor, nebIntens, name.
std::string catalogueLines(const std::vector<HuntedSystem>& systems, bool json);
// starCount K N for K = 0 to 5, planetCount K N for 0 to 10, nebIntens K N
// for 0 to 255: every value, zeros included.
std::string censusLines(const StarCensus& census, bool json);

}  // namespace glyphverse
