#include "gen/random.h"

#include <limits>

namespace glyphverse {
namespace {

constexpr int MT_N = RandomSource::STATE_WORDS;

}  // namespace

std::uint32_t seedWord(double seedValue) {
  constexpr double limit = 9223372036854775808.0;  // 2^63
  const std::int64_t whole = seedValue >= -limit && seedValue < limit
                                 ? static_cast<std::int64_t>(seedValue)
                                 : std::numeric_limits<std::int64_t>::min();
  return static_cast<std::uint32_t>(static_cast<std::uint64_t>(whole));
}

// The loops index a plain pointer: they run 1248 times a seeding and stay
// quick in unoptimised builds too.
void RandomSource::seed(double seedValue) {
  std::uint32_t* word = state_.data();
  word[0] = seedWord(seedValue);
  for (int i = 1; i < MT_N; ++i) word[i] = nextFillWord(word[i - 1]);
  position_ = MT_N;
  seeded_ = true;
}

void RandomSource::setState(const std::array<std::uint32_t, STATE_WORDS>& state) {
  state_ = state;
  position_ = STATE_WORDS;
  seeded_ = true;
}

// The standard MT19937 block update, in place and in increasing order, so
// words from MT_N - MT_M on read words already renewed in this pass, and the
// last word reads the new first one.
void RandomSource::regenerate() {
  std::uint32_t* word = state_.data();
  int k = 0;
  for (; k < MT_N - MT_M; ++k) word[k] = twistWord(word[k], word[k + 1], word[k + MT_M]);
  for (; k < MT_N - 1; ++k) word[k] = twistWord(word[k], word[k + 1], word[k + MT_M - MT_N]);
  word[k] = twistWord(word[k], word[0], word[MT_M - 1]);
  position_ = 0;
}

std::uint32_t RandomSource::nextOutput() {
  if (!seeded_) seed(0.0);
  if (position_ == STATE_WORDS) regenerate();
  return temperWord(state_[position_++]);
}

}  // namespace glyphverse
