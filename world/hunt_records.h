#pragma once
// What a hunt finds: the rectangle it examines, its census and the systems
// that passed its filter. Censuses and outcomes only add up, so a region's is
// the sum of its parts' in any order.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "world/place.h"
#include "world/star_system.h"

namespace glyphverse {

// Galaxy cells (x, y) to (x + width - 1, y + height - 1), wrapping across the
// world's edges; x and y in the world, width and height 1 to WORLD_SIZE.
struct CellRect {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;
  friend bool operator==(const CellRect&, const CellRect&) = default;
};

// A few hundred milliseconds of one core's work, and the whole galaxy in
// 4096 * 4096 tiles.
inline constexpr std::int32_t DEFAULT_TILE_SIDE = 4096;

// How many galaxy cells and stars a region holds, and how many of its stars'
// systems have each star count, planet count and nebula intensity.
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

// A system that passed the filter.
struct HuntedSystem {
  Position cell;
  SystemCounts counts;
  std::uint32_t nebColor = 0;  // AARRGGBB
  std::uint8_t nebIntens = 0;
  std::string name;
  friend bool operator==(const HuntedSystem&, const HuntedSystem&) = default;
};

struct HuntOutcome {
  StarCensus census;
  std::vector<HuntedSystem> systems;  // in no particular order
  void add(HuntOutcome&& other);
};

}  // namespace glyphverse
