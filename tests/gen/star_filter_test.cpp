#include "gen/star_filter.h"

#include <gtest/gtest.h>

#include "gen/cells.h"
#include "gen/places.h"

namespace glyphverse {
namespace {

SearchTerms read(std::string_view text) {
  SearchTermsReading reading = readSearchTerms(text);
  EXPECT_TRUE(reading.terms) << text << ": " << reading.error;
  return reading.terms.value_or(SearchTerms{});
}

TEST(StarFilter, ReadsEveryDocumentedForm) {
  const SearchTerms none = read("");
  EXPECT_EQ(none.filter, StarFilter{});
  EXPECT_EQ(none.radius, DEFAULT_SEARCH_RADIUS);
  EXPECT_FALSE(none.filter.needsCounts() || none.filter.needsName());

  const SearchTerms terms = read("  bright>=150\tplanets<=7 stars=2 Name=aB name=9 radius=40 ");
  EXPECT_EQ(terms.filter.bright, (ValueRange{150, 255}));
  EXPECT_EQ(terms.filter.planets, (ValueRange{0, 7}));
  EXPECT_EQ(terms.filter.stars, (ValueRange{2, 2}));
  EXPECT_EQ(terms.filter.nameParts, (std::vector<std::string>{"ab", "9"}));
  EXPECT_EQ(terms.radius, 40);
  EXPECT_TRUE(terms.radiusGiven);

  // Filters on one value narrow it together; an empty range is no error.
  EXPECT_EQ(read("bright>=20 bright<=30 bright>=25").filter.bright, (ValueRange{25, 30}));
  EXPECT_EQ(read("planets>=5 planets<=4").filter.planets, (ValueRange{5, 4}));
  EXPECT_EQ(read("radius=0 bright=255 planets=10 stars=5").radius, 0);
}

TEST(StarFilter, RefusesBadWordsNamingThem) {
  const struct {
    const char* text;
    const char* error;
  } cases[] = {
      {"planets>=3 bright", "'bright' is not a filter"},
      {"=5", "'=5' is not a filter"},
      {"colour=red", "'colour=red': unknown filter"},
      {"planets>3", "'planets>3': compare with >=, <= or ="},
      {"planets=>3", "'planets=>3': planets takes a whole number from 0 to 10"},
      {"stars>=6", "'stars>=6': stars takes a whole number from 0 to 5"},
      {"bright<=256", "'bright<=256': bright takes a whole number from 0 to 255"},
      {"bright>=-1", "bright takes a whole number"},
      {"bright>=99999999999999999999", "bright takes a whole number"},
      {"planets=", "'planets=': planets takes"},
      {"name>=ab", "'name>=ab': write name="},
      {"name=", "'name=': give a part of a name"},
      {"name=a-b", "'name=a-b': names hold only letters and digits"},
      {"radius=10001", "'radius=10001': the radius is a whole number of cells from 0 to 10000"},
      {"radius=5 radius=6", "'radius=6': the radius is given twice"},
      {"name=\x1b]0;x\x07", "'name=\\x1b]0;x\\x07': names hold only"},
  };
  for (const auto& c : cases) {
    const SearchTermsReading reading = readSearchTerms(c.text);
    EXPECT_FALSE(reading.terms) << c.text;
    EXPECT_NE(reading.error.find(c.error), std::string::npos) << c.text << ": " << reading.error;
    EXPECT_EQ(reading.error.find('\x1b'), std::string::npos) << reading.error;
  }
  const std::string longWord = "q" + std::string(100000, 'z') + "=1";
  EXPECT_LT(readSearchTerms(longWord).error.size(), 200u);
}

// The scanner's test of one cell agrees with the system Space enters there.
TEST(StarFilter, MatchingAGalaxyCellReadsItsSystem) {
  int stars = 0;
  for (std::int32_t x = 500; x < 700; ++x) {
    const CellContent cell = cellAt(galaxyTables(), GALAXY_LEVEL, StarSystem{}, x, 77);
    if (isEmpty(cell.foreground)) {
      EXPECT_FALSE(galaxyCellMatches(StarFilter{}, cell, x, 77));
      continue;
    }
    ++stars;
    const StarSystem system = worldAt(Place{SYSTEM_LEVEL, {x, 77}, {}}).system;
    const std::string part = system.name.substr(1, 2);  // lower case already
    const SearchTerms terms = read("stars=" + std::to_string(system.starCount) +
                                   " planets=" + std::to_string(system.planetCount) +
                                   " bright=" + std::to_string(system.nebIntens) + " name=" + part);
    EXPECT_TRUE(galaxyCellMatches(terms.filter, cell, x, 77)) << x;
    EXPECT_TRUE(systemMatches(terms.filter, x - WORLD_SIZE, 77 + WORLD_SIZE, system.nebIntens));
    const SearchTerms other = read("planets=" + std::to_string((system.planetCount + 1) % 11));
    EXPECT_FALSE(galaxyCellMatches(other.filter, cell, x, 77)) << x;
    EXPECT_FALSE(galaxyCellMatches(read("name=" + part + "qq").filter, cell, x, 77)) << x;
  }
  EXPECT_GT(stars, 5);
}

}  // namespace
}  // namespace glyphverse
