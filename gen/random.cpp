#include "gen/random.h"

#include <cmath>
#include <limits>

namespace glyphverse {
namespace {

constexpr int MT_M = 397;
constexpr std::uint32_t MATRIX_A = 0x9908B0DFu;
constexpr std::uint32_t UPPER_MASK = 0x80000000u;
constexpr std::uint32_t LOWER_MASK = 0x7FFFFFFFu;

// Truncation toward zero; NaN and values outside the signed 64-bit range give -2^63.
std::int64_t truncateSeed(double seedValue) {
  constexpr double limit = 9223372036854775808.0;  // 2^63
  if (!(seedValue >= -limit && seedValue < limit)) {
    return std::numeric_limits<std::int64_t>::min();
  }
  return static_cast<std::int64_t>(seedValue);
}

}  // namespace

void RandomSource::seed(double seedValue) {
  state_[0] = static_cast<std::uint32_t>(static_cast<std::uint64_t>(truncateSeed(seedValue)));
  for (int i = 1; i < STATE_WORDS; ++i) {
    state_[i] = state_[i - 1] * 1664525u + 1013904223u;
  }
  position_ = STATE_WORDS;
  seeded_ = true;
}

void RandomSource::setState(const std::array<std::uint32_t, STATE_WORDS>& state) {
  state_ = state;
  position_ = STATE_WORDS;
  seeded_ = true;
}

// The standard MT19937 block update, in place and in increasing order, so the
// last 397 words read words already renewed in this pass.
void RandomSource::regenerate() {
  for (int k = 0; k < STATE_WORDS; ++k) {
    const std::uint32_t y = (state_[k] & UPPER_MASK) | (state_[(k + 1) % STATE_WORDS] & LOWER_MASK);
    state_[k] = state_[(k + MT_M) % STATE_WORDS] ^ (y >> 1) ^ ((y & 1u) != 0 ? MATRIX_A : 0u);
  }
  position_ = 0;
}

std::uint32_t RandomSource::nextOutput() {
  if (!seeded_) seed(0.0);
  if (position_ == STATE_WORDS) regenerate();
  std::uint32_t y = state_[position_++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y;
}

double RandomSource::nextDouble() {
  return nextOutput() / 4294967296.0;
}

std::int32_t RandomSource::nextInt(std::int32_t lo, std::int32_t hi) {
  const std::uint64_t y = nextOutput();
  // The span is taken in 64 bits so that even the full 32-bit range (2^32
  // values) does not overflow; for every other range it is the 32-bit span.
  // An empty range (hi below lo) still uses its output and gives lo.
  if (hi < lo) return lo;
  const std::uint64_t n = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
  return static_cast<std::int32_t>(lo + static_cast<std::int64_t>((y * n) >> 32));
}

}  // namespace glyphverse
