#pragma once
// Which star systems a search wants, as a person types it: filters separated
// by spaces, all of which a system must pass.
//   bright>=N  bright<=N  bright=N     nebula intensity, 0 to 255
//   planets>=N planets<=N planets=N    0 to 10
//   stars>=N   stars<=N   stars=N      0 to 5
//   name=TEXT                          a part of the name, in any case
//   radius=N                           how far to search, in cells
// A filter's matching reads only the system's seed and the galaxy's nebula
// at its cell, never a generated system.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "gen/cell_rules.h"
#include "gen/star_system.h"

namespace glyphverse {

inline constexpr std::int32_t DEFAULT_SEARCH_RADIUS = 1000;
// About 314 million cells: a few seconds on two cores. Beyond it a search
// would keep a person waiting for minutes.
inline constexpr std::int32_t MAX_SEARCH_RADIUS = 10000;

// The values from `least` to `most`, both included.
struct ValueRange {
  int least = 0;
  int most = 0;
  constexpr bool contains(int value) const { return value >= least && value <= most; }
  friend constexpr bool operator==(const ValueRange&, const ValueRange&) = default;
};

struct StarFilter {
  ValueRange bright{0, 255};
  ValueRange planets{0, 10};
  ValueRange stars{0, 5};
  std::vector<std::string> nameParts;  // lower case; each must appear in the name

  bool needsCounts() const { return !(planets == ValueRange{0, 10} && stars == ValueRange{0, 5}); }
  bool needsName() const { return !nameParts.empty(); }
  friend bool operator==(const StarFilter&, const StarFilter&) = default;
};

// Whether a system with these counts and nebula intensity passes every filter
// but the name ones.
inline bool passesCounts(const StarFilter& filter, SystemCounts counts, std::uint8_t nebIntens) {
  return filter.bright.contains(nebIntens) && filter.stars.contains(counts.starCount) &&
         filter.planets.contains(counts.planetCount);
}
// Whether every name part appears in `name`, in any case.
bool passesName(const StarFilter& filter, std::string_view name);

// Whether the system at galaxy cell (x, y) passes the filter, given the
// nebula intensity there (the largest channel of the galaxy's nebula cell).
// Counts are computed only when a filter asks, the name only when a name
// filter does. Coordinates wrap into the world.
bool systemMatches(const StarFilter& filter, std::int64_t x, std::int64_t y,
                   std::uint8_t nebIntens);

// For pictures of the galaxy: whether the galaxy cell at (x, y), as a batch
// or the per-cell generators made it, holds a star whose system passes.
inline bool galaxyCellMatches(const StarFilter& filter, const CellContent& cell, std::int64_t x,
                              std::int64_t y) {
  return !isEmpty(cell.foreground) && systemMatches(filter, x, y, nebulaIntensity(cell.background));
}

// The filter in the words readSearchTerms reads, one way for each filter
// however it was typed: "planets>=5 bright>=150", "" for every star.
std::string filterText(const StarFilter& filter);

// A search line read: the filter and the radius.
struct SearchTerms {
  StarFilter filter;
  std::int32_t radius = DEFAULT_SEARCH_RADIUS;
  bool radiusGiven = false;  // radius= was among the words
};
// The terms, or the first bad word and what is wrong with it (with control
// bytes escaped, so a message never carries them). No words at all is a
// valid line that every star passes.
struct SearchTermsReading {
  std::optional<SearchTerms> terms;
  std::string error;
};
SearchTermsReading readSearchTerms(std::string_view text);

}  // namespace glyphverse
