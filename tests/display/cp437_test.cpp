#include "display/cp437.h"

#include <gtest/gtest.h>

#include <set>

namespace glyphverse {
namespace {

TEST(Cp437, EveryCodeShowsADistinctCharacter) {
  std::set<char32_t> seen;
  for (int code = 1; code < 256; ++code) {
    seen.insert(cp437ToUnicode(static_cast<std::uint8_t>(code)));
  }
  EXPECT_EQ(seen.size(), 255u);
  EXPECT_EQ(cp437ToUnicode('A'), U'A');
  EXPECT_EQ(cp437ToUnicode(15), U'\u263C');   // the sun
  EXPECT_EQ(cp437ToUnicode(177), U'\u2592');  // medium shade
  EXPECT_EQ(cp437ToUnicode(249), U'\u2219');
}

TEST(Cp437, TypedCharactersFindTheirCodes) {
  for (int code = 32; code < 256; ++code) {
    if (code == 127) continue;  // the house is a picture, not something one types
    const auto found = unicodeToCp437(cp437ToUnicode(static_cast<std::uint8_t>(code)));
    ASSERT_TRUE(found.has_value()) << code;
    EXPECT_EQ(*found, code);
  }
  EXPECT_FALSE(unicodeToCp437(U'\u20AC').has_value());  // the euro sign is not there
  EXPECT_FALSE(unicodeToCp437(U'\x1B').has_value());    // control characters are keys
}

TEST(Utf8, RoundTripsAndMarksBrokenBytes) {
  std::string text;
  for (const char32_t c : {U'a', U'\u00E9', U'\u2592', U'\U0001F600'}) appendUtf8(text, c);
  EXPECT_EQ(text, "a\xC3\xA9\xE2\x96\x92\xF0\x9F\x98\x80");
  EXPECT_EQ(decodeUtf8(text), U"a\u00E9\u2592\U0001F600");
  EXPECT_EQ(decodeUtf8("\xC3"), U"\uFFFD");  // cut short
  EXPECT_EQ(decodeUtf8("\xFFz"), U"\uFFFDz");
  EXPECT_EQ(decodeUtf8("\xC3z"), U"\uFFFDz");
}

}  // namespace
}  // namespace glyphverse
