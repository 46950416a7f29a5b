#include "gen/noise.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "gen/random.h"
#include "gen/rounding.h"

namespace glyphverse {
namespace {

// Where double arithmetic reaches a value only up to rounding: a few units in
// the last place of the lattice values (below 0.507, so one unit is 2^-53).
constexpr double ROUNDING = 4 * 0x1p-53;

double corner(const NoiseTables& t, int a, int b) {
  return t.latticeValues[t.perm[a + t.perm[b]]];
}

class GalaxyTables : public ::testing::Test {
 protected:
  double corner(int a, int b) const { return glyphverse::corner(galaxy, a, b); }
  double smoothNoise(double x, double y, std::int32_t period) const {
    return glyphverse::smoothNoise(galaxy, x, y, period);
  }
  std::uint8_t turbulence(double x, double y, double size, double period) const {
    return glyphverse::turbulence(galaxy, x, y, size, period);
  }

  const NoiseTables galaxy = noiseTablesFor(INITIAL_NOISE_SEED);
};

TEST(NoiseRamp, EachEntryIsTheDoubleNearestToItsFraction) {
  EXPECT_EQ(noiseRamp[0], -1.0);
  EXPECT_EQ(noiseRamp[255], 1.0);
  for (int i = 0; i < 256; ++i) {
    const long double exact = (2.0L * i - 255.0L) / 255.0L;
    const double nearest = static_cast<double>(exact);
    EXPECT_EQ(noiseRamp[i], nearest) << i;
  }
}

TEST(Rounding, TiesGoToTheEvenNeighbour) {
  EXPECT_EQ(roundTiesToEven(0.5), 0.0);
  EXPECT_EQ(roundTiesToEven(1.5), 2.0);
  EXPECT_EQ(roundTiesToEven(2.5), 2.0);
  EXPECT_EQ(roundTiesToEven(-0.5), 0.0);
  EXPECT_EQ(roundTiesToEven(-1.5), -2.0);
  EXPECT_EQ(roundTiesToEven(150.5), 150.0);
  EXPECT_EQ(roundTiesToEven(151.5), 152.0);
  EXPECT_EQ(roundTiesToEven(4503599627370497.0), 4503599627370497.0);  // beyond 2^52
  std::mt19937_64 random(1);
  std::uniform_real_distribution<double> any(-1e9, 1e9);
  for (int i = 0; i < 100000; ++i) {
    const double v = i % 2 == 0 ? any(random) : std::floor(any(random)) + 0.5;
    ASSERT_EQ(roundTiesToEven(v), std::nearbyint(v)) << v;
  }
}

TEST_F(GalaxyTables, GalaxyTablesStartAsKnown) {
  const NoiseTables& t = galaxy;
  EXPECT_EQ(t.seed, INITIAL_NOISE_SEED);
  const std::array<int, 8> start = {1, 69, 64, 114, 37, 67, 231, 82};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(t.perm[i], start[i]) << i;
  EXPECT_EQ(t.latticeValues[0], noiseRamp[1] * static_cast<double>(0.507f));
  char text[32];
  std::snprintf(text, sizeof text, "%.16g", t.latticeValues[0]);
  EXPECT_STREQ(text, "-0.5030235582706976");
}

TEST(NoiseTables, EveryBuildIsARepeatedPermutationOfScaledRampValues) {
  for (const double seed : {4242.0, 0.0, 167772170.0, -7.5}) {
    const NoiseTables t = noiseTablesFor(seed);
    std::array<int, 256> seen{};
    for (int i = 0; i < 256; ++i) {
      ++seen[t.perm[i]];
      EXPECT_EQ(t.perm[i + 256], t.perm[i]);
      EXPECT_EQ(t.latticeValues[i], noiseRamp[t.perm[i]] * static_cast<double>(0.507f));
    }
    EXPECT_TRUE(std::all_of(seen.begin(), seen.end(), [](int n) { return n == 1; })) << seed;
  }
}

TEST(NoiseTables, DependOnTheSeedAlone) {
  NoiseTables tables;
  buildNoiseTables(tables, 99);
  const NoiseTables first = tables;
  buildNoiseTables(tables, 12345);
  buildNoiseTables(tables, 99);
  EXPECT_EQ(tables, first);
}

TEST_F(GalaxyTables, SmoothNoiseAtTheCentreOfALatticeCell) {
  EXPECT_EQ(smoothNoise(0.5, 0.5, 256), -0.08450000484784445);
}

// At an even integer the fraction is 0 and the value is the corner exactly; at
// an odd one the fraction is 1 and the blend reaches the corner up to rounding.
TEST_F(GalaxyTables, SmoothNoiseAtIntegersIsTheCornerValue) {
  for (int x = 0; x < 600; x += 7) {
    for (int y = 0; y < 600; y += 11) {
      const double expected = corner(x % 256, y % 256);
      const double value = smoothNoise(x, y, 256 * (1 + x % 3));
      if (x % 2 == 0 && y % 2 == 0) {
        ASSERT_EQ(value, expected) << x << "," << y;
      } else {
        ASSERT_NEAR(value, expected, ROUNDING) << x << "," << y;
      }
    }
  }
}

TEST_F(GalaxyTables, SmoothNoiseRepeatsWithItsPeriod) {
  std::mt19937 random(5);
  std::uniform_real_distribution<double> coordinate(0.0, 5000.0);
  for (int i = 0; i < 2000; ++i) {
    const double x = std::round(coordinate(random) * 64) / 64;  // exact sums below
    const double y = std::round(coordinate(random) * 64) / 64;
    // Periods that are multiples of 256: every shift by 256 is exact, negatives included.
    ASSERT_EQ(smoothNoise(x - 2048, y + 768, 512), smoothNoise(x, y, 512));
    ASSERT_EQ(smoothNoise(-x, -y, 256), smoothNoise(-x + 256 * 40, -y + 256 * 3, 256));
    // Any other whole period: equal up to the rounding at an odd shift.
    ASSERT_NEAR(smoothNoise(x + 7, y, 7), smoothNoise(x, y, 7), ROUNDING);
    ASSERT_NEAR(smoothNoise(x, y + 300, 300), smoothNoise(x, y, 300), ROUNDING);
  }
}

TEST_F(GalaxyTables, PeriodBelowOneActsAsOne) {
  const double v00 = corner(0, 0);
  for (const std::int32_t period : {1, 0, -5}) {
    EXPECT_EQ(smoothNoise(0.25, 17.75, period), v00);
    EXPECT_EQ(smoothNoise(1234.5, -3.5, period), v00);
  }
}

TEST_F(GalaxyTables, TurbulenceOfKnownPositions) {
  const double world = 16777216.0;
  EXPECT_EQ(turbulence(0, 0, 4, world), 106);
  EXPECT_EQ(turbulence(0, 0, 8, world), 105);
  EXPECT_EQ(turbulence(0, 0, 16, world), 104);
  EXPECT_EQ(turbulence(0, 0, 32, world), 103);
  EXPECT_EQ(turbulence(0, 0, 64, world), 103);
  EXPECT_EQ(turbulence(10, 10, 16, world), 107);
  EXPECT_EQ(turbulence(10, 10, 4, world), 157);
}

// At the origin every octave reads the corner (0, 0), whatever the period.
TEST_F(GalaxyTables, TurbulenceAtTheOriginIsTheWeightedCorner) {
  const double v00 = corner(0, 0);
  for (const double size : {1.0, 4.0, 8.0, 16.0, 32.0, 64.0}) {
    const double r = std::nearbyint(v00 * (2 * size - 1) * 128 / size + 127);
    for (const double period : {16777216.0, 2048.0, 300.0, 1.0}) {
      EXPECT_EQ(turbulence(0, 0, size, period), static_cast<std::uint8_t>(r));
    }
  }
}

TEST_F(GalaxyTables, TurbulenceWithoutOctavesIsTheMiddleByte) {
  EXPECT_EQ(turbulence(123, 456, 0.5, 16777216.0), 127);
  EXPECT_EQ(turbulence(123, 456, 0.999, 2048.0), 127);
}

TEST(TurbulenceByte, KeepsTheLow8BitsOfSumsOutsideAByte) {
  EXPECT_EQ(turbulenceByte(-1.0, 1.0), 255);          // 127 - 128 = -1
  EXPECT_EQ(turbulenceByte(-129.0 / 128, 1.0), 254);  // -2
  EXPECT_EQ(turbulenceByte(1.0, 1.0), 255);           // 255
  EXPECT_EQ(turbulenceByte(129.0 / 128, 1.0), 0);     // 256
}

TEST(ShapeChannel, FullUpToTheOffsetThenGeometric) {
  EXPECT_EQ(shapeChannel(50, 50.0f, 0.95f), 255);
  EXPECT_EQ(shapeChannel(0, 50.0f, 0.95f), 255);
  EXPECT_EQ(shapeChannel(255, 50.0f, 0.95f), 0);
  EXPECT_EQ(shapeChannel(103, 96.0f, 0.98f), 221);
  for (int v = 0; v < 255; ++v) {
    EXPECT_GE(shapeChannel(static_cast<std::uint8_t>(v), 50.0f, 0.95f),
              shapeChannel(static_cast<std::uint8_t>(v + 1), 50.0f, 0.95f));
  }
}

TEST(MaxOf, PrefersTheSecondUnlessTheFirstIsGreater) {
  EXPECT_EQ(maxOf(5, 2), 5);
  EXPECT_EQ(maxOf(2, 5), 5);
  EXPECT_TRUE(std::signbit(maxOf(0.0, -0.0)));  // equal values: the second one
  EXPECT_EQ(maxOf(std::nan(""), 1.0), 1.0);
  EXPECT_TRUE(std::isnan(maxOf(1.0, std::nan(""))));
}

}  // namespace
}  // namespace glyphverse
