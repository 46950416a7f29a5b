#pragma once
// A place in words: what a person standing there would want to know, taken
// from the seed and the galaxy's nebula alone, so it costs no generated
// system and no noise tables.

#include <cstdint>
#include <string>
#include <string_view>

#include "gen/star_system.h"
#include "world/place.h"

namespace glyphverse {

// Nebula intensities from these on are called dim and bright.
inline constexpr int DIM_NEBULA = 50;
inline constexpr int BRIGHT_NEBULA = 150;

struct PlaceFacts {
  std::string levelName;  // "Galaxy", "Star system", "Planet surface" or "Level N (empty)"
  // The galaxy cell: where the explorer stands on the galaxy, else the cell
  // whose system was entered.
  Position galaxy;
  bool hasStar = false;  // the galaxy cell shows a star
  // The system that Space enters at the galaxy cell (there is one at every
  // cell, with or without a star).
  std::string systemName;
  SystemCounts counts;
  std::uint32_t nebColor = 0;  // 0xAARRGGBB of the galaxy's nebula at the cell
  std::uint8_t nebIntens = 0;
  std::string_view brightness;  // brightnessWord(nebIntens)
};

PlaceFacts placeFacts(const Place& place);

// "dark" below DIM_NEBULA, "dim" below BRIGHT_NEBULA, else "bright".
std::string_view brightnessWord(std::uint8_t nebIntens);

// "Galaxy", "Star system", "Planet surface", or "Level N (empty)".
std::string levelName(std::int32_t viewLevel);

}  // namespace glyphverse
