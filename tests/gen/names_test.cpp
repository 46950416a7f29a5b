#include "gen/names.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string_view>


namespace glyphverse {
namespace {

TEST(GenerateName, KnownNames) {
  EXPECT_EQ(generateName(0), "Trezn 72");
  EXPECT_EQ(generateName(1), "Zuozdyh");
  EXPECT_EQ(generateName(4242), "Yoxon 911");
}

TEST(GenerateName, DependsOnTheSeedAlone) {
  const std::string first = generateName(167772170);
  generateName(3);
  EXPECT_EQ(generateName(167772170), first);
}

bool isVowel(char c) {
  return std::string_view("aeiouy").find(static_cast<char>(std::tolower(c))) !=
         std::string_view::npos;
}

// A capital, 2 to 9 small letters, and optionally a space and 1 to 999.
bool hasNameShape(const std::string& name) {
  const std::size_t space = name.find(' ');
  const std::string letters = name.substr(0, space);
  if (letters.size() < 3 || letters.size() > 10 || !std::isupper(letters[0])) return false;
  for (std::size_t i = 1; i < letters.size(); ++i) {
    if (!std::islower(letters[i])) return false;
  }
  if (space == std::string::npos) return true;
  const std::string number = name.substr(space + 1);
  if (number.empty() || number.size() > 3 || number[0] == '0') return false;
  for (const char c : number) {
    if (!std::isdigit(c)) return false;
  }
  return true;
}

TEST(GenerateName, LetterRulesHoldForManySeeds) {
  int withNumber = 0;
  constexpr int SEEDS = 20000;
  for (int i = 0; i < SEEDS; ++i) {
    const double seed = i * 8191.0 - 1e6;
    const std::string name = generateName(seed);
    ASSERT_TRUE(hasNameShape(name)) << seed << ": " << name;
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
