#include "base/decimal_number.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace glyphverse {
namespace {

// Where the standard library has the floating-point from_chars, readDecimal
// must give exactly its answers: same error, same stop, same bits.
void expectSameAsFromChars(const std::string& text) {
  SCOPED_TRACE("text '" + text + "'");
  double expected = -7.0;
  double actual = -7.0;
  const auto want =
      std::from_chars(text.data(), text.data() + text.size(), expected, std::chars_format::general);
  const auto got = readDecimal(text.data(), text.data() + text.size(), actual);
  EXPECT_EQ(got.ec, want.ec);
  EXPECT_EQ(got.ptr - text.data(), want.ptr - text.data());
  if (want.ec == std::errc() && !std::isnan(expected)) {
    EXPECT_EQ(std::bit_cast<std::uint64_t>(actual), std::bit_cast<std::uint64_t>(expected));
  }
  if (want.ec != std::errc()) {
    EXPECT_EQ(actual, -7.0);
  }
}

TEST(ReadDecimal, AcceptsAndRefusesWhatFromCharsDoes) {
  const std::vector<std::string> texts = {"0",
                                          "-0",
                                          "1",
                                          "0.02",
                                          "1.",
                                          ".5",
                                          "-.5",
                                          ".5e1",
                                          "1E5",
                                          "1e-5",
                                          "1e+5",
                                          "1e",
                                          "1e+",
                                          "167772170",
                                          "281474976710655.5",
                                          "123456789012345678901234567890",
                                          "0.1000000000000000055511151231257827",
                                          "2.2250738585072011e-308",
                                          "1e-310",
                                          "4.9e-324",
                                          "2e-324",
                                          "-2e-324",
                                          "1e-400",
                                          "0e-400",
                                          "1e400",
                                          "-1e400",
                                          "1.7976931348623157e308",
                                          "1.7976931348623159e308",
                                          "inf",
                                          "-inf",
                                          "Infinity",
                                          "nan",
                                          "NaN",
                                          "nan(123)",
                                          "infin",
                                          "0x10",
                                          "-0x1p3",
                                          "0X1",
                                          "+1",
                                          " 1",
                                          "\t1",
                                          "- 1",
                                          "-",
                                          ".",
                                          "",
                                          "e5",
                                          "1 ",
                                          "1,5",
                                          "--1",
                                          std::string("1\0"
                                                      "2",
                                                      3)};
  for (const std::string& text : texts) expectSameAsFromChars(text);
}

TEST(ReadDecimal, RoundsLikeFromChars) {
  std::mt19937 random(4242);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> length(1, 25);
  std::uniform_int_distribution<int> exponent(-330, 310);
  for (int i = 0; i < 5000; ++i) {
    std::string text = (i % 2 == 0) ? "" : "-";
    const int digits = length(random);
    for (int d = 0; d < digits; ++d) {
      if (d == digits / 2) text += '.';
      text += static_cast<char>('0' + digit(random));
    }
    if (i % 3 != 0) {  // in two steps: "e" + ... makes GCC 12 at -O3 warn falsely
      text += 'e';
      text += std::to_string(exponent(random));
    }
    expectSameAsFromChars(text);
  }
}

}  // namespace
}  // namespace glyphverse
