#include "gen/place_facts.h"

#include <gtest/gtest.h>

#include "gen/cells.h"
#include "gen/places.h"

namespace glyphverse {
namespace {

// The facts are those of the system that Space enters at the galaxy cell,
// found without generating it.
TEST(PlaceFacts, SayWhatTheGeneratedSystemHolds) {
  const Place places[] = {galaxyPlace(1, 0), galaxyPlace(10, 10),
                          Place{SYSTEM_LEVEL, {16777215, 3}, {5, 6}},
                          Place{PLANET_LEVEL, {56, 3}, {0, 0}}, Place{7, {1100, 2100}, {1, 1}}};
  const char* levels[] = {"Galaxy", "Galaxy", "Star system", "Planet surface", "Level 7 (empty)"};
  for (std::size_t i = 0; i < std::size(places); ++i) {
    const Place& place = places[i];
    const PlaceFacts facts = placeFacts(place);
    const StarSystem system = worldAt(Place{SYSTEM_LEVEL, place.galaxy, {}}).system;
    EXPECT_EQ(facts.levelName, levels[i]);
    EXPECT_EQ(facts.galaxy, place.galaxy);
    EXPECT_EQ(facts.hasStar, !isEmpty(starCellAt(galaxyTables(), place.galaxy.x, place.galaxy.y)));
    EXPECT_EQ(facts.systemName, system.name);
    EXPECT_EQ(facts.counts, (SystemCounts{system.starCount, system.planetCount}));
    EXPECT_EQ(facts.nebIntens, system.nebIntens);
    EXPECT_EQ(facts.brightness, brightnessWord(system.nebIntens));
  }
  EXPECT_TRUE(placeFacts(galaxyPlace(1, 0)).hasStar);
  EXPECT_FALSE(placeFacts(galaxyPlace(10, 10)).hasStar);
  // "bright" where the nebula makes a bright picture.
  EXPECT_EQ(brightnessWord(149), "dim");
  EXPECT_EQ(brightnessWord(150), "bright");
}

}  // namespace
}  // namespace glyphverse
