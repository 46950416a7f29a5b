#pragma once
// How many galaxy cells and stars a region holds, and how many of its stars'
// systems have each star count, planet count and nebula intensity. Counts
// only add up, so a region's census is the sum of its parts' in any order.

#include <array>
#include <cstdint>

#include "gen/star_system.h"

namespace glyphverse {

struct StarCensus {
  std::int64_t cells = 0;
  std::int64_t stars = 0;
  std::array<std::int64_t, 6> starCount{};     // stars by their system's starCount, 0-5
  std::array<std::int64_t, 11> planetCount{};  // by planetCount, 0-10
  std::array<std::int64_t, 256> nebIntens{};   // by nebIntens, 0-255

  void countStar(SystemCounts counts, std::uint8_t intensity) {
    ++stars;
    ++starCount[static_cast<std::size_t>(counts.starCount)];
    ++planetCount[static_cast<std::size_t>(counts.planetCount)];
    ++nebIntens[intensity];
  }
  void add(const StarCensus& other);
  friend bool operator==(const StarCensus&, const StarCensus&) = default;
};

}  // namespace glyphverse
