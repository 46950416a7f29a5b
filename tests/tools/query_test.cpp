#include "tools/query/query.h"

#include <gtest/gtest.h>

#include "gen/cells.h"
#include "gen/names.h"
#include "gen/noise.h"
#include "gen/star_system.h"

namespace glyphverse {
namespace {

std::string answer(std::string_view line) {
  const QueryAnswer a = answerQuery(line);
  EXPECT_TRUE(a.ok) << line << ": " << a.text;
  return a.text;
}

TEST(Query, GalaxyCells) {
  EXPECT_EQ(answer("galaxy 10 10"), "14\t13\t14\t0\t0\t2");
  EXPECT_EQ(answer("galaxy 1 0"), "15\t16\t16\t249\t157\t2");
  EXPECT_EQ(answer("  galaxy\t0   10 "), "2\t5\t9\t0\t0\t3");
}

TEST(Query, Names) {
  EXPECT_EQ(answer("name 0"), "Trezn 72");
  EXPECT_EQ(answer("name 4242.7"), "Yoxon 911");
  EXPECT_EQ(answer("name 4294967301"), generateName(5));
  EXPECT_EQ(answer("name -2.5"), generateName(-2));
}

TEST(Query, StarSystems) {
  EXPECT_EQ(answer("system 10 10"),
            "167772170\t2048\t5\t0\t5\tFF0E0D0E\t14\t" + generateName(167772170));
}

// Each answer stands alone: it does not depend on the queries before it.
TEST(Query, AnswersDoNotDependOnEarlierQueries) {
  const std::string galaxy = answer("galaxy 300 400");
  const std::string background = answer("sysbg 40 2 5 6");
  const std::string planet = answer("planet 10 10 0 10");
  answer("system 77 88");
  answer("planet 1 2 3 4");
  EXPECT_EQ(answer("galaxy 300 400"), galaxy);
  EXPECT_EQ(answer("sysbg 40 2 5 6"), background);
  EXPECT_EQ(answer("planet 10 10 0 10"), planet);
}

TEST(Query, SystemBackgroundAndPlanetUseTheSystemsTables) {
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem system;
  generateStarSystem(system, tables, 40, 2);
  const GlyphCell cell = systemBackgroundAt(tables, 5, 6, system);
  EXPECT_EQ(answer("sysbg 40 2 5 6"), std::to_string(cell.red) + "\t" + std::to_string(cell.green) +
                                          "\t" + std::to_string(cell.blue) + "\t177");
  EXPECT_EQ(answer("planet 40 2 -7 9"),
            std::to_string(terrainNumber(terrainClassAt(tables, -7, 9))));
}

// A place's cell is what the level's own query says is there.
TEST(Query, PlacesAnswerTheCellOnTheirLevel) {
  EXPECT_EQ(answer("place 2/1/0"), "15\t16\t16\t177\t249\t157\t0");
  const std::string background = answer("sysbg 40 2 5 6");
  EXPECT_EQ(answer("place 3/40/2/5/6"), background + "\t0\t0\t0");
  EXPECT_EQ(answer("place 4/40/2/7/9"), "0\t0\t0\t0\t0\t0\t" + answer("planet 40 2 7 9"));
  EXPECT_EQ(answer("place 5/40/2/7/9"), "0\t0\t0\t0\t0\t0\t0");
  EXPECT_EQ(answer("place 2/-1/0"), answer("place 2/16777215/0"));
  const QueryAnswer bad = answerQuery("place 2/1.5/0");
  EXPECT_FALSE(bad.ok);
  EXPECT_NE(bad.text.find("X must be"), std::string::npos) << bad.text;
}

// Whatever else the process generates, a galaxy answer comes from the galaxy's tables.
TEST(Query, GalaxyAnswersStayRightAfterASystemWasGeneratedElsewhere) {
  answer("galaxy 10 10");
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem system;
  generateStarSystem(system, tables, 10, 10);
  EXPECT_EQ(answer("galaxy 10 10"), "14\t13\t14\t0\t0\t2");
}

TEST(Query, MalformedLinesSayWhy) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {"teleport 1 2", "unknown query 'teleport'"},
      {"galaxy 1", "'galaxy' takes 2 fields"},
      {"galaxy 1 2 3", "'galaxy' takes 2 fields"},
      {"galaxy 1 y", "Y 'y' is not an integer"},
      {"galaxy 1.5 2", "X '1.5' is not an integer"},
      {"galaxy 2147483648 0", "outside the signed 32-bit range"},
      {"galaxy 0 -99999999999999999999", "outside the signed 32-bit range"},
      {"name", "'name' takes 1 fields"},
      {"name 12abc", "SEED '12abc' is not a decimal number"},
      {"name inf", "is not a decimal number"},
      {"name 1e400", "SEED '1e400' is outside the range of a double"},
      {"sysbg 1 2 3", "'sysbg' takes 4 fields"},
  };
  for (const auto& c : cases) {
    const QueryAnswer a = answerQuery(c.line);
    EXPECT_FALSE(a.ok) << c.line;
    EXPECT_EQ(a.text.rfind("error: ", 0), 0u) << a.text;
    EXPECT_NE(a.text.find(c.reason), std::string::npos) << a.text;
  }
  EXPECT_TRUE(answerQuery("galaxy -2147483648 2147483647").ok);
}

// An echoed field reaches a terminal: no raw control bytes, and not all of a huge field.
TEST(Query, MalformedFieldsAreEchoedEscapedAndCut) {
  const std::string text = answerQuery("galaxy \x1b]0;pwned\x07 1").text;
  EXPECT_EQ(text.find('\x1b'), std::string::npos) << text;
  EXPECT_NE(text.find("'\\x1b]0;pwned\\x07'"), std::string::npos) << text;
  const std::string cut = answerQuery("teleport" + std::string(100000, 'z')).text;
  EXPECT_LT(cut.size(), 200u);
  EXPECT_NE(cut.find("zzz...'"), std::string::npos) << cut;
}

// The explorer can only stand on wrapped cells, so a system outside the world
// is the one at the same wrapped cell.
TEST(Query, SystemCoordinatesWrapLikeTheExplorersPosition) {
  EXPECT_EQ(answer("system -1 -1"), answer("system 16777215 16777215"));
  EXPECT_EQ(answer("system 16777226 -16777206"), answer("system 10 10"));
  EXPECT_EQ(answer("sysbg -16777176 2 5 6"), answer("sysbg 40 2 5 6"));
  EXPECT_EQ(answer("planet 10 16777226 0 10"), answer("planet 10 10 0 10"));
}

TEST(Query, CommentsAndBlankLinesAreNotQueries) {
  EXPECT_FALSE(isQueryLine(""));
  EXPECT_FALSE(isQueryLine("   \t"));
  EXPECT_FALSE(isQueryLine("# galaxy 1 2"));
  EXPECT_TRUE(isQueryLine("galaxy 1 2"));
}

}  // namespace
}  // namespace glyphverse
