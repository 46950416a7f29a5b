#include "gen/random.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace glyphverse {
namespace {

std::vector<std::uint32_t> outputs(RandomSource& source, int count) {
  std::vector<std::uint32_t> values;
  for (int i = 0; i < count; ++i) values.push_back(source.nextOutput());
  return values;
}

std::vector<std::uint32_t> outputsAfterSeed(double seed, int count) {
  RandomSource source;
  source.seed(seed);
  return outputs(source, count);
}

TEST(RandomSource, FirstOutputsOfKnownSeeds) {
  RandomSource zero;
  zero.seed(0);
  const auto first = outputs(zero, 625);
  EXPECT_EQ(first[0], 1417766733u);
  EXPECT_EQ(first[1], 1413209507u);
  EXPECT_EQ(first[2], 2286996103u);
  EXPECT_EQ(first[624], 1968666426u);  // the first output of the second block

  EXPECT_EQ(outputsAfterSeed(4242, 3),
            (std::vector<std::uint32_t>{1899899390u, 5948044u, 1089676449u}));
}

TEST(RandomSource, NextDoubleIsTheOutputOver2To32) {
  RandomSource source;
  source.seed(0);
  EXPECT_EQ(source.nextDouble(), 1417766733.0 / 4294967296.0);
  EXPECT_NEAR(source.nextDouble(), 0.3290384791, 1e-10);
  EXPECT_NEAR(source.nextDouble(), 0.5324827747, 1e-10);
}

TEST(RandomSource, UnseededSourceBehavesAsSeedZero) {
  RandomSource fresh;
  EXPECT_EQ(fresh.nextDouble(), 1417766733.0 / 4294967296.0);
  EXPECT_EQ(outputs(fresh, 700), [] {
    auto all = outputsAfterSeed(0, 701);
    all.erase(all.begin());
    return all;
  }());
}

TEST(RandomSource, SeedsThatTruncateToTheSameLow32BitsGiveTheSameSequence) {
  EXPECT_EQ(outputsAfterSeed(4242.7, 700), outputsAfterSeed(4242, 700));
  EXPECT_EQ(outputsAfterSeed(4294967301.0, 700), outputsAfterSeed(5, 700));
  EXPECT_EQ(outputsAfterSeed(-2.9, 10), outputsAfterSeed(-2, 10));
  // NaN and seeds outside the 64-bit range count as -2^63, whose low 32 bits are 0.
  EXPECT_EQ(outputsAfterSeed(std::nan(""), 10), outputsAfterSeed(0, 10));
  EXPECT_EQ(outputsAfterSeed(1e300, 10), outputsAfterSeed(0, 10));
  EXPECT_EQ(outputsAfterSeed(-std::numeric_limits<double>::infinity(), 10),
            outputsAfterSeed(0, 10));
}

TEST(RandomSource, SeedingFillsTheStateByTheLinearCongruence) {
  RandomSource source;
  source.seed(-2.5);
  const auto& state = source.state();
  EXPECT_EQ(state[0], 0xFFFFFFFEu);
  for (int i = 1; i < RandomSource::STATE_WORDS; ++i) {
    ASSERT_EQ(state[i], state[i - 1] * 1664525u + 1013904223u) << i;
  }
}

// The block recurrence and the tempering are those of MT19937: from the
// standard initialisation they must reproduce the standard library's engine.
TEST(RandomSource, RecurrenceAndTemperingMatchStandardMt19937) {
  for (const std::uint32_t seed : {5489u, 1u, 4242u, 0xDEADBEEFu}) {
    std::array<std::uint32_t, RandomSource::STATE_WORDS> state{};
    state[0] = seed;
    for (std::uint32_t i = 1; i < state.size(); ++i) {
      state[i] = 1812433253u * (state[i - 1] ^ (state[i - 1] >> 30)) + i;
    }
    RandomSource source;
    source.setState(state);
    std::mt19937 reference(seed);
    for (int i = 0; i < 5000; ++i) ASSERT_EQ(source.nextOutput(), reference()) << i;
  }
}

TEST(RandomSource, RandomIntMapsOneOutputPerCall) {
  RandomSource source;
  source.seed(4242);
  std::vector<std::int32_t> dice;
  for (int i = 0; i < 5; ++i) dice.push_back(source.nextInt(1, 6));
  EXPECT_EQ(dice, (std::vector<std::int32_t>{3, 1, 2, 6, 1}));

  RandomSource a;
  RandomSource b;
  a.seed(9);
  b.seed(9);
  EXPECT_EQ(a.nextInt(7, 7), 7);
  b.nextOutput();
  EXPECT_EQ(a.nextOutput(), b.nextOutput());  // the single-value range still used one output
}

TEST(RandomSource, RandomIntIsTheHighWordOfOutputTimesSpan) {
  RandomSource ints;
  RandomSource raw;
  ints.seed(77);
  raw.seed(77);
  for (int i = 0; i < 2000; ++i) {
    const std::uint64_t y = raw.nextOutput();
    ASSERT_EQ(ints.nextInt(-500, 498), -500 + static_cast<std::int32_t>((y * 999) >> 32));
  }
}

TEST(RandomSource, FullIntegerRangeDoesNotOverflow) {
  RandomSource ints;
  RandomSource raw;
  ints.seed(3);
  raw.seed(3);
  for (int i = 0; i < 100; ++i) {
    const std::int64_t expected =
        std::numeric_limits<std::int32_t>::min() + static_cast<std::int64_t>(raw.nextOutput());
    ASSERT_EQ(ints.nextInt(std::numeric_limits<std::int32_t>::min(),
                           std::numeric_limits<std::int32_t>::max()),
              expected);
  }
}

TEST(RandomSource, EmptyRangeGivesItsLowEndAndStillUsesAnOutput) {
  RandomSource a;
  RandomSource b;
  a.seed(11);
  b.seed(11);
  EXPECT_EQ(a.nextInt(5, 4), 5);
  b.nextOutput();
  EXPECT_EQ(a.nextOutput(), b.nextOutput());
}

TEST(RandomSource, ReseedingRestartsTheSequence) {
  RandomSource source;
  source.seed(123);
  const auto first = outputs(source, 1000);
  source.seed(123);
  EXPECT_EQ(outputs(source, 1000), first);
}

}  // namespace
}  // namespace glyphverse
