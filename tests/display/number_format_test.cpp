#include "display/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace glyphverse {
namespace {

TEST(NumberFormat, SignedIntegersHaveASignOrASpace) {
  EXPECT_EQ(formatSignedInteger(60), " 60");
  EXPECT_EQ(formatSignedInteger(0), " 0");
  EXPECT_EQ(formatSignedInteger(-5), "-5");
  EXPECT_EQ(formatSignedInteger(std::numeric_limits<std::int32_t>::min()), "-2147483648");
  EXPECT_EQ(formatSignedInteger(std::numeric_limits<std::int32_t>::max()), " 2147483647");
}

TEST(NumberFormat, BytesAreBareDigits) {
  EXPECT_EQ(formatUnsignedByte(0), "0");
  EXPECT_EQ(formatUnsignedByte(200), "200");
  EXPECT_EQ(formatUnsignedByte(255), "255");
}

TEST(NumberFormat, DoublesInPlainDigitsWithSixteenSignificant) {
  EXPECT_EQ(formatDouble(167772170), " 167772170");
  EXPECT_EQ(formatDouble(0.5), " 0.5");
  EXPECT_EQ(formatDouble(-2.25), "-2.25");
  EXPECT_EQ(formatDouble(0), " 0");
  EXPECT_EQ(formatDouble(281474976710655.0), " 281474976710655");
  EXPECT_EQ(formatDouble(9999999999999998.0), " 9999999999999998");  // 16 digits, still plain
  EXPECT_EQ(formatDouble(0.1), " 0.1");                              // no binary noise
  EXPECT_EQ(formatDouble(1.0 / 3.0), " 0.3333333333333333");
  EXPECT_EQ(formatDouble(2.0 / 3.0), " 0.6666666666666666");  // ...66629 in binary
  EXPECT_EQ(formatDouble(123.456), " 123.456");
  EXPECT_EQ(formatDouble(-0.125), "-0.125");
}

TEST(NumberFormat, DoublesOutsideThePlainRangeUseAnExponent) {
  EXPECT_EQ(formatDouble(1e16), " 1e+16");
  EXPECT_EQ(formatDouble(-2.5e20), "-2.5e+20");
  EXPECT_EQ(formatDouble(0.05), " 5e-02");
  // Rounding to 16 digits can carry into the next power of ten.
  EXPECT_EQ(formatDouble(9.99999999999999999e15), " 1e+16");
}

}  // namespace
}  // namespace glyphverse
