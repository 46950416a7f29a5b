#pragma once
// The seeded random source: MT19937 with its own seeding rule and output mappings.
// Every value must agree bit for bit on every platform: another sequence is
// another universe. Each generator that needs chance seeds a source of its own,
// so generators run on any thread at once.

#include <array>
#include <cstdint>

namespace glyphverse {

// The standard MT19937 tempering of one state word into an output.
constexpr std::uint32_t temperWord(std::uint32_t y) {
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  return y ^ (y >> 18);
}

// One output divided by 2^32: exact in a double, in [0, 1).
constexpr double outputToDouble(std::uint32_t output) {
  return output / 4294967296.0;
}

// lo + floor(output * n / 2^32) with n = hi - lo + 1. The span is taken in 64
// bits so that even the full 32-bit range (2^32 values) does not overflow; an
// empty range (hi below lo) gives lo.
constexpr std::int32_t outputToInt(std::uint32_t output, std::int32_t lo, std::int32_t hi) {
  if (hi < lo) return lo;
  const std::uint64_t n = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo + 1);
  return static_cast<std::int32_t>(lo + static_cast<std::int64_t>((output * n) >> 32));
}

// The low 32 bits of a seed as seeding takes it: truncated toward zero to a
// signed 64-bit integer, NaN and out-of-range seeds taken as -2^63.
std::uint32_t seedWord(double seedValue);

// The seeding fill: each state word from the one before it, by this linear
// congruence modulo 2^32.
inline constexpr std::uint32_t FILL_MULTIPLIER = 1664525u;
inline constexpr std::uint32_t FILL_INCREMENT = 1013904223u;
constexpr std::uint32_t nextFillWord(std::uint32_t previous) {
  return previous * FILL_MULTIPLIER + FILL_INCREMENT;
}

// The block update reads, for word k, the word MT_M places on.
inline constexpr int MT_M = 397;

// One word of the MT19937 block update from the word itself, its successor
// and the word MT_M places on.
constexpr std::uint32_t twistWord(std::uint32_t word, std::uint32_t next, std::uint32_t far) {
  const std::uint32_t y = (word & 0x80000000u) | (next & 0x7FFFFFFFu);
  return far ^ (y >> 1) ^ ((y & 1u) != 0 ? 0x9908B0DFu : 0u);
}

class RandomSource {
 public:
  static constexpr int STATE_WORDS = 624;

  // Replaces the whole state. The seed is truncated toward zero to a signed
  // 64-bit integer (NaN and out-of-range seeds become -2^63); its low 32 bits
  // start a linear congruential fill of the state.
  void seed(double seedValue);
  // One tempered 32-bit output; an unseeded source first seeds itself with 0.
  std::uint32_t nextOutput();
  // One output divided by 2^32: in [0, 1).
  double nextDouble() { return outputToDouble(nextOutput()); }
  // lo + floor(output * n / 2^32) with n = hi - lo + 1: one output per call.
  std::int32_t nextInt(std::int32_t lo, std::int32_t hi) {
    return outputToInt(nextOutput(), lo, hi);
  }

  const std::array<std::uint32_t, STATE_WORDS>& state() const { return state_; }
  // Starts from a given state, as a seeding would leave it: the next output
  // regenerates the block first.
  void setState(const std::array<std::uint32_t, STATE_WORDS>& state);

 private:
  void regenerate();

  std::array<std::uint32_t, STATE_WORDS> state_{};
  int position_ = STATE_WORDS;
  bool seeded_ = false;
};

// A source seeded with `seedValue`, ready for its first draw.
inline RandomSource seededSource(double seedValue) {
  RandomSource source;
  source.seed(seedValue);
  return source;
}

}  // namespace glyphverse
