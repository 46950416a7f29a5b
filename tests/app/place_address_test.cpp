#include "app/place_address.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(StartOfAddress, ThePlaceItNamesOrTheUsualStartWithAReason) {
  const AddressStart none = startOfAddress("");
  EXPECT_EQ(none.place, galaxyPlace(10, 10));
  EXPECT_EQ(none.problem, "");

  const AddressStart deep = startOfAddress("3/1100/2100/4/7");
  EXPECT_EQ(deep.place, (Place{SYSTEM_LEVEL, {1100, 2100}, {4, 7}}));
  EXPECT_EQ(deep.problem, "");

  const AddressStart bad = startOfAddress("2/1100");
  EXPECT_EQ(bad.place, galaxyPlace(10, 10));
  EXPECT_EQ(bad.problem,
            "The address names no place (a place on the galaxy has three parts: 2/X/Y), so the "
            "explorer starts at 2/10/10.");
}

TEST(AddressUpdates, AFewTimesASecondAtMostAndTheLastPlaceAlways) {
  AddressUpdates updates(galaxyPlace(10, 10));
  EXPECT_EQ(updates.due(galaxyPlace(10, 10), 0.0), std::nullopt);  // named already
  EXPECT_EQ(updates.due(galaxyPlace(11, 10), 1.0), "2/11/10");     // the first move
  EXPECT_EQ(updates.due(galaxyPlace(12, 10), 1.1), std::nullopt);  // too soon
  EXPECT_EQ(updates.due(galaxyPlace(13, 10), 1.2), std::nullopt);
  EXPECT_EQ(updates.due(galaxyPlace(13, 10), 1.25), "2/13/10");  // where it stopped
  EXPECT_EQ(updates.due(galaxyPlace(13, 10), 2.0), std::nullopt);
  EXPECT_EQ(updates.due(galaxyPlace(14, 10), 2.1), "2/14/10");
  EXPECT_EQ(updates.last(galaxyPlace(15, 10)), "2/15/10");  // Esc: no waiting
  EXPECT_EQ(updates.last(galaxyPlace(15, 10)), std::nullopt);
}

}  // namespace
}  // namespace glyphverse
