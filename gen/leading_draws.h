#pragma once
// The first outputs of a freshly seeded random source, without its 624-word
// fill and block update. Seeding is a linear congruence, so each state word
// is an affine function of the first one and can be reached directly; and
// output k (k < LEADING_DRAWS) comes from block word k, which the update makes
// from the seeded words k, k + 1 and k + MT_M alone. Counts and names draw a
// few dozen values at most: each costs a handful of multiplications here
// instead of the whole block.

#include <array>
#include <cassert>
#include <cstdint>

#include "gen/random.h"

namespace glyphverse {

// Outputs 0 to 226 read only seeded words; later ones read renewed words.
inline constexpr int LEADING_DRAWS = RandomSource::STATE_WORDS - MT_M;

class LeadingDraws {
 public:
  // The same outputs, in the same order, as RandomSource::seed(seedValue)
  // followed by draws, for the first LEADING_DRAWS of them.
  explicit LeadingDraws(double seedValue) : first_(seedWord(seedValue)) {}

  std::uint32_t nextOutput() {
    assert(drawn_ < LEADING_DRAWS);
    const int k = drawn_++;
    return temperWord(twistWord(fillWord(k), fillWord(k + 1), fillWord(k + MT_M)));
  }
  double nextDouble() { return outputToDouble(nextOutput()); }
  std::int32_t nextInt(std::int32_t lo, std::int32_t hi) {
    return outputToInt(nextOutput(), lo, hi);
  }

 private:
  // Seeded word i = FILL_STEPS[i].scale * first + FILL_STEPS[i].shift (mod 2^32).
  struct FillStep {
    std::uint32_t scale;
    std::uint32_t shift;
  };
  static constexpr std::array<FillStep, RandomSource::STATE_WORDS> FILL_STEPS = [] {
    std::array<FillStep, RandomSource::STATE_WORDS> steps{};
    steps[0] = {1u, 0u};
    for (std::size_t i = 1; i < steps.size(); ++i) {
      // nextFillWord(a * s + b) = (a * FILL_MULTIPLIER) * s + nextFillWord(b)
      steps[i] = {steps[i - 1].scale * FILL_MULTIPLIER, nextFillWord(steps[i - 1].shift)};
    }
    return steps;
  }();

  std::uint32_t fillWord(int i) const {
    const FillStep step = FILL_STEPS[static_cast<std::size_t>(i)];
    return step.scale * first_ + step.shift;
  }

  std::uint32_t first_;
  int drawn_ = 0;
};

}  // namespace glyphverse
