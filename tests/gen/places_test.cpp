#include "gen/places.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "gen/noise.h"
#include "world/geometry.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

TEST(PlaceText, EveryPlaceRoundTrips) {
  std::mt19937 random(3);
  std::uniform_int_distribution<std::int32_t> coordinate(0, WORLD_SIZE - 1);
  const std::int32_t levels[] = {2, 3, 4, 5, 17, DEEPEST_PLACE_LEVEL};
  for (const std::int32_t level : levels) {
    for (const std::int32_t edge : {0, WORLD_SIZE - 1, -1}) {
      const auto any = [&] { return edge >= 0 ? edge : coordinate(random); };
      Place place{level, {any(), any()}, {}};
      if (level != GALAXY_LEVEL) place.local = {any(), any()};
      const std::string text = placeText(place);
      const PlaceReading back = readPlace(text);
      ASSERT_TRUE(back.place) << text << ": " << back.error;
      EXPECT_EQ(*back.place, place) << text;
    }
  }
  EXPECT_EQ(placeText(galaxyPlace(1100, 2100)), "2/1100/2100");
  EXPECT_EQ(placeText(Place{SYSTEM_LEVEL, {1100, 2100}, {4, 7}}), "3/1100/2100/4/7");
}

TEST(PlaceText, MalformedTextsAreRefusedWithTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"", "empty"},
      {"1/5/5", "level"},
      {"galaxy/5/5", "level"},
      {"1048577/0/0/0/0", "level"},
      {"2/5", "three parts"},
      {"2/5/5/0/0", "three parts"},
      {"3/5/5", "five parts"},
      {"3/5/5/0/x", "Y must be"},
      {"3/5/ 5/0/0", "GY must be"},
      {"2//5", "X must be"},
      {"2/5/5/", "three parts"},
  };
  for (const auto& [text, reason] : cases) {
    const PlaceReading reading = readPlace(text);
    EXPECT_FALSE(reading.place) << text;
    EXPECT_NE(reading.error.find(reason), std::string::npos) << text << ": " << reading.error;
  }
}

// A place's coordinates are read as typed ones are, and written back in
// their own form.
TEST(PlaceText, CoordinatesAreReadAsEveryProgramReadsThem) {
  const PlaceReading wrapped = readPlace("2/-1/5");
  ASSERT_TRUE(wrapped.place) << wrapped.error;
  EXPECT_EQ(wrapped.place->galaxy, (Position{*readCoordinate("-1"), 5}));
  EXPECT_EQ(placeText(*wrapped.place), "2/16777215/5");
  const PlaceReading below = readPlace("3/16777216/007/-2/99999999999999999999");
  ASSERT_TRUE(below.place) << below.error;
  EXPECT_EQ(*below.place,
            (Place{SYSTEM_LEVEL,
                   {*readCoordinate("16777216"), 7},
                   {*readCoordinate("-2"), *readCoordinate("99999999999999999999")}}));
}

// Typed coordinates: a minus and digits of any length, wrapped as the
// integer they write would be; every other form refused.
TEST(TypedNumbers, OneFormOfAnyLengthWrappedIntoTheWorld) {
  std::mt19937_64 random(5);
  std::vector<std::int64_t> values = {
      0, 1, -1, WORLD_SIZE, -WORLD_SIZE, WORLD_SIZE - 1, INT64_MAX, INT64_MIN, INT64_MIN + 1};
  for (int i = 0; i < 1000; ++i) values.push_back(static_cast<std::int64_t>(random()));
  for (const std::int64_t value : values) {
    const std::string text = std::to_string(value);
    EXPECT_EQ(readCoordinate(text), wrapCoordinate(value)) << text;
    EXPECT_EQ(readWholeNumber(text, INT64_MIN, INT64_MAX), value) << text;
  }
  // Past 64 bits: 10^20 - 1 = 2^24 * 5960464477539 + 1048575.
  EXPECT_EQ(readCoordinate("99999999999999999999"), 1048575);
  EXPECT_EQ(readCoordinate("-99999999999999999999"), WORLD_SIZE - 1048575);
  EXPECT_EQ(readCoordinate("000000000000000000000000000007"), 7);
  EXPECT_EQ(readWholeNumber("9223372036854775808", INT64_MIN, INT64_MAX), std::nullopt);
  EXPECT_EQ(readWholeNumber("-2147483649", INT32_MIN, INT32_MAX), std::nullopt);
  EXPECT_EQ(readWholeNumber("-2147483648", INT32_MIN, INT32_MAX), INT32_MIN);
  for (const char* bad : {"0x10", " 10", "10 ", "+5", "", "-", "1 2", "--1", "1-", "1.0", "1e3"}) {
    EXPECT_EQ(readCoordinate(bad), std::nullopt) << bad;
    EXPECT_EQ(readWholeNumber(bad, INT64_MIN, INT64_MAX), std::nullopt) << bad;
  }
  EXPECT_EQ(notWholeNumberMessage("X", "0x10"),
            "X '0x10' is not an integer (digits, with a minus for negatives)");
}

TEST(StateAt, AStateIsWhereItsPlaceSays) {
  for (const Place& place : {galaxyPlace(40, 2), Place{SYSTEM_LEVEL, {40, 2}, {9, 16777215}},
                             Place{6, {40, 2}, {1, 2}}}) {
    const ViewState state = stateAt(place);
    EXPECT_EQ(placeOf(state), place) << placeText(place);
    EXPECT_EQ(state.returnPositions.size(), static_cast<std::size_t>(place.viewLevel - 2));
  }
  EXPECT_EQ(stateAt(Place{PLANET_LEVEL, {40, 2}, {3, 3}}).tables, noiseTablesFor(cellSeed(40, 2)));
}

TEST(GoTo, KeepsTheWayBackWithinASystemAndTheLastSystemOnTheGalaxy) {
  ViewState state = stateAt(Place{PLANET_LEVEL, {40, 2}, {0, 0}});
  state.returnPositions[1] = {7, 8};  // walked in the system before landing
  goTo(state, Place{PLANET_LEVEL, {40, 2}, {100, 200}});
  EXPECT_EQ(state.x, 100);
  EXPECT_EQ(state.returnPositions[1], (Position{7, 8}));
  EXPECT_TRUE(state.changed);

  const StarSystem entered = state.system;
  goTo(state, galaxyPlace(5, 6));
  EXPECT_EQ(placeOf(state), galaxyPlace(5, 6));
  EXPECT_EQ(state.system, entered);
  EXPECT_EQ(state.tables, galaxyTables());
  EXPECT_TRUE(state.returnPositions.empty());
}

}  // namespace
}  // namespace glyphverse
