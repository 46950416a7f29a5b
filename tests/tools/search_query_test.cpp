// nearest and count against a scan of every cell with the galaxy and system
// queries: the stars, their counts, nebula and names, the distances across
// the world's edge and the order of equal distances all come out the same.

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <sstream>
#include <tuple>

#include "find/find_stars.h"
#include "tools/query/query.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr std::int32_t RADIUS = 40;

std::vector<std::string> fieldsOf(const std::string& answer) {
  std::vector<std::string> fields;
  std::stringstream in(answer);
  for (std::string field; std::getline(in, field, '\t');) fields.push_back(field);
  return fields;
}

struct Star {
  std::int64_t distanceSquared;
  std::int32_t x, y;
  int stars, planets, bright;
  std::string name;
  std::string system;  // the system query's answer
};

// Every star within RADIUS of (cx, cy), nearest first, smaller y then x first.
std::vector<Star> starsAround(std::int32_t cx, std::int32_t cy) {
  std::vector<Star> stars;
  for (std::int64_t dy = -RADIUS; dy <= RADIUS; ++dy) {
    for (std::int64_t dx = -RADIUS; dx <= RADIUS; ++dx) {
      if (dx * dx + dy * dy > std::int64_t{RADIUS} * RADIUS) continue;
      const std::int32_t x = wrapCoordinate(cx + dx), y = wrapCoordinate(cy + dy);
      const std::string at = std::to_string(x) + " " + std::to_string(y);
      if (fieldsOf(answerQuery("galaxy " + at).text)[3] == "0") continue;
      const std::string system = answerQuery("system " + at).text;
      const auto f = fieldsOf(system);
      stars.push_back({dx * dx + dy * dy, x, y, std::stoi(f[2]), std::stoi(f[3]), std::stoi(f[6]),
                       f[7], system});
    }
  }
  std::sort(stars.begin(), stars.end(), [](const Star& a, const Star& b) {
    return std::tie(a.distanceSquared, a.y, a.x) < std::tie(b.distanceSquared, b.y, b.x);
  });
  return stars;
}

bool hasPart(std::string name, const std::string& part) {
  std::transform(name.begin(), name.end(), name.begin(), ::tolower);
  return name.find(part) != std::string::npos;
}

TEST(SearchQueries, EqualAScanWithTheGalaxyAndSystemQueries) {
  const struct {
    const char* filters;
    std::function<bool(const Star&)> passes;
  } filters[] = {
      {"", [](const Star&) { return true; }},
      {"planets>=3", [](const Star& s) { return s.planets >= 3; }},
      {"bright>=20 stars<=1", [](const Star& s) { return s.bright >= 20 && s.stars <= 1; }},
      {"stars=0 planets=0", [](const Star& s) { return s.stars == 0 && s.planets == 0; }},
      {"name=A name=r", [](const Star& s) { return hasPart(s.name, "a") && hasPart(s.name, "r"); }},
      {"planets>=10 stars>=5", [](const Star& s) { return s.planets >= 10 && s.stars >= 5; }},
  };
  // The second and third centres reach across the world's edges; the third
  // is given outside the world and wraps.
  const std::int32_t centres[][2] = {{1000, 2000}, {3, 16777210}, {-2, 16777216 + 20}};
  int ties = 0;  // results at the same distance as the one before: their order was checked
  for (const auto& centre : centres) {
    const auto stars = starsAround(wrapCoordinate(centre[0]), wrapCoordinate(centre[1]));
    ASSERT_GT(stars.size(), 300u);
    for (const auto& filter : filters) {
      std::vector<Star> matches;
      std::copy_if(stars.begin(), stars.end(), std::back_inserter(matches), filter.passes);
      const std::string where = std::to_string(centre[0]) + " " + std::to_string(centre[1]) + " " +
                                std::to_string(RADIUS) + " " + filter.filters;
      SCOPED_TRACE(where);
      EXPECT_EQ(answerQuery("count " + where).text, std::to_string(matches.size()));

      std::string nearest = "none";
      if (!matches.empty()) {
        const Star& first = matches.front();
        char distance[32];
        std::snprintf(distance, sizeof distance, "%.2f", std::sqrt(first.distanceSquared * 1.0));
        nearest = std::to_string(first.x) + "\t" + std::to_string(first.y) + "\t" + distance +
                  "\t" + first.system;
      }
      EXPECT_EQ(answerQuery("nearest " + where).text, nearest);

      // The whole list the explorer shows: the 20 nearest, in order.
      SearchRequest request{
          {centre[0], centre[1]}, RADIUS, readSearchTerms(filter.filters).terms->filter};
      SearchControl control;
      const SearchResult result = findStars(request, control);
      ASSERT_EQ(result.nearest.size(), std::min<std::size_t>(matches.size(), MAX_SEARCH_RESULTS));
      for (std::size_t i = 0; i < result.nearest.size(); ++i) {
        const StarMatch& got = result.nearest[i];
        ties += i > 0 && got.distanceSquared == result.nearest[i - 1].distanceSquared;
        const Star& want = matches[i];
        EXPECT_EQ(std::tie(got.cell.x, got.cell.y, got.distanceSquared, got.name),
                  std::tie(want.x, want.y, want.distanceSquared, want.name))
            << i;
        EXPECT_EQ(std::make_tuple(+got.counts.starCount, +got.counts.planetCount, +got.nebIntens),
                  std::make_tuple(want.stars, want.planets, want.bright))
            << i;
      }
      EXPECT_EQ(result.starCount, static_cast<std::int64_t>(stars.size()));
      EXPECT_FALSE(result.cancelled);
    }
  }
  EXPECT_GT(ties, 10);
}

TEST(SearchQueries, MalformedSearchesSayWhy) {
  const struct {
    const char* line;
    const char* reason;
  } cases[] = {
      {"count 1 2", "'count' takes X Y RADIUS and any filters"},
      {"nearest 1 2 -1", "RADIUS '-1' is not a whole number from 0 to 10000"},
      {"nearest 1 2 10001", "RADIUS '10001'"},
      {"count x 2 5", "X 'x' is not an integer"},
      {"count 1 2 5 planets>11", "filter 'planets>11': compare with"},
      {"count 1 2 5 radius=4", "radius= is not a filter here"},
  };
  for (const auto& c : cases) {
    const QueryAnswer a = answerQuery(c.line);
    EXPECT_FALSE(a.ok) << c.line;
    EXPECT_NE(a.text.find(c.reason), std::string::npos) << a.text;
  }
  EXPECT_EQ(answerQuery("count 5 5 0").text, "0");  // (5, 5) holds no star
}

}  // namespace
}  // namespace glyphverse
