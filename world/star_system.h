#pragma once
// What is known of the star system at one galaxy cell.

#include <cstdint>
#include <string>

namespace glyphverse {

struct StarSystem {
  std::int32_t x = 0;  // galaxy position of the system's cell
  std::int32_t y = 0;
  double seed = 0;        // cellSeed(x, y)
  std::int32_t size = 0;  // period in cells of the system background's noise
  std::int8_t starCount = 0;
  std::int8_t planetCount = 0;
  std::int8_t bodyCount = 0;
  std::uint32_t nebColor = 0;  // 0xAARRGGBB of the nebula at the system's cell
  std::uint8_t nebIntens = 0;  // the largest channel of nebColor
  std::string name;

  friend bool operator==(const StarSystem&, const StarSystem&) = default;
};

// A system's star and planet counts, its seed's first two draws.
struct SystemCounts {
  std::int8_t starCount = 0;
  std::int8_t planetCount = 0;
  friend constexpr bool operator==(const SystemCounts&, const SystemCounts&) = default;
};

void clearStarSystem(StarSystem& system);

}  // namespace glyphverse
