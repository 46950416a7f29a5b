#include "gen/names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <regex>
#include <string_view>

#include "gen/random.h"

namespace glyphverse {
namespace {

TEST(GenerateName, KnownNames) {
  EXPECT_EQ(generateName(0), "Trezn 72");
  EXPECT_EQ(generateName(1), "Zuozdyh");
  EXPECT_EQ(generateName(4242), "Yoxon 911");
}

TEST(GenerateName, DependsOnTheSeedAlone) {
  const std::string first = generateName(167772170);
  seedRandom(5);
  nextRandom();
  generateName(3);
  EXPECT_EQ(generateName(167772170), first);
}

bool isVowel(char c) {
  return std::string_view("aeiouy").find(std::tolower(c)) != std::string_view::npos;
}

TEST(GenerateName, LetterRulesHoldForManySeeds) {
  const std::regex shape("[A-Z][a-z]{2,9}( [1-9][0-9]{0,2})?");
  int withNumber = 0;
  constexpr int SEEDS = 20000;
  for (int i = 0; i < SEEDS; ++i) {
    const double seed = i * 8191.0 - 1e6;
    const std::string name = generateName(seed);
    ASSERT_TRUE(std::regex_match(name, shape)) << seed << ": " << name;
    const std::string letters = name.substr(0, name.find(' '));
    for (std::size_t k = 2; k < letters.size(); ++k) {
      const bool same = isVowel(letters[k]) == isVowel(letters[k - 1]) &&
                        isVowel(letters[k]) == isVowel(letters[k - 2]);
      ASSERT_FALSE(same) << seed << ": three of a kind in " << name;
    }
    withNumber += name.find(' ') != std::string::npos ? 1 : 0;
  }
  // About half the names carry a number.
  EXPECT_NEAR(withNumber, SEEDS / 2, SEEDS / 20);
}

}  // namespace
}  // namespace glyphverse
