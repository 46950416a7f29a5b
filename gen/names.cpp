#include "gen/names.h"

#include <cctype>
#include <string_view>

#include "gen/leading_draws.h"
#include "gen/random.h"

namespace glyphverse {
namespace {

constexpr std::string_view VOWELS = "AEIOUY";
constexpr std::string_view CONSONANTS = "BCDFGHJKLMNPQRSTVWXZ";

template <typename Source>
char drawLetter(Source& random, std::string_view letters) {
  const std::int32_t k = random.nextInt(1, static_cast<std::int32_t>(letters.size()));
  return letters[static_cast<std::size_t>(k - 1)];
}

// The name from the draws of a freshly seeded `random`.
template <typename Source>
std::string nameFrom(Source& random) {
  const std::int32_t a = random.nextInt(1, 5);
  const std::int32_t b = random.nextInt(2, 5);
  const std::int32_t letterCount = a + b;

  std::string name;
  int vowelRun = 0;
  int consonantRun = 0;
  for (std::int32_t i = 0; i < letterCount; ++i) {
    // Two of a kind force the other kind; otherwise a draw chooses.
    const bool vowel = consonantRun >= 2 ? true : vowelRun >= 2 ? false : random.nextInt(1, 2) == 1;
    const char letter = drawLetter(random, vowel ? VOWELS : CONSONANTS);
    name.push_back(i == 0 ? letter : static_cast<char>(std::tolower(letter)));
    vowelRun = vowel ? vowelRun + 1 : 0;
    consonantRun = vowel ? 0 : consonantRun + 1;
  }

  if (random.nextDouble() >= 0.5) {
    name.push_back(' ');
    name += std::to_string(random.nextInt(1, 999));
  }
  return name;
}

static_assert(MAX_NAME_DRAWS <= LEADING_DRAWS);

}  // namespace

std::string generateName(double seed) {
  RandomSource random = seededSource(seed);
  return nameFrom(random);
}

std::string quickName(double seed) {
  LeadingDraws random(seed);
  return nameFrom(random);
}

}  // namespace glyphverse
