#pragma once
// Where the explorer is, as a value: the view level, the galaxy cell, and the
// position on the level below the galaxy. It prints as one short text that a
// person can type and a link can carry, and that text parses back to it:
//   2/1100/2100        on the galaxy at (1100, 2100)
//   3/1100/2100/4/7    at (4, 7) in the star system of galaxy cell (1100, 2100)
//   4/1100/2100/4/7    at (4, 7) on that system's planet (and so on deeper)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphverse {

// View levels with content.
inline constexpr std::int32_t GALAXY_LEVEL = 2;
inline constexpr std::int32_t SYSTEM_LEVEL = 3;
inline constexpr std::int32_t PLANET_LEVEL = 4;
// The deepest level a place text may name: far below anything a person
// reaches by holding Space (two levels a second), and cheap to enter.
inline constexpr std::int32_t DEEPEST_PLACE_LEVEL = 1 << 20;

struct Position {
  std::int32_t x = 0;
  std::int32_t y = 0;
  friend constexpr bool operator==(const Position&, const Position&) = default;
};

struct Place {
  std::int32_t viewLevel = GALAXY_LEVEL;
  // On the galaxy, where the explorer stands; below it, the galaxy cell
  // whose star system was entered.
  Position galaxy;
  // The position on the level below the galaxy; (0, 0) on the galaxy itself.
  Position local;
  friend constexpr bool operator==(const Place&, const Place&) = default;
};

constexpr Place galaxyPlace(std::int32_t x, std::int32_t y) {
  return Place{GALAXY_LEVEL, {x, y}, {}};
}

// The position on the place's own level.
constexpr Position positionOn(const Place& place) {
  return place.viewLevel == GALAXY_LEVEL ? place.galaxy : place.local;
}

// "2/X/Y" on the galaxy, "LEVEL/GX/GY/X/Y" below it.
std::string placeText(const Place& place);

// A place text read back: the place, or what is wrong with the text. Levels
// run from 2 to DEEPEST_PLACE_LEVEL, as decimal digits; coordinates are read
// as readCoordinate reads them, any whole number wrapped into the world (so
// 2/-1/5 is 2/16777215/5, which placeText writes). The error never repeats
// the text itself.
struct PlaceReading {
  std::optional<Place> place;
  std::string error;
};
PlaceReading readPlace(std::string_view text);

}  // namespace glyphverse
