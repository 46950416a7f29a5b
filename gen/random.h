#pragma once
// The seeded random source: MT19937 with its own seeding rule and output mappings.
// Every value must agree bit for bit on every platform: another sequence is
// another universe. Each generator that needs chance seeds a source of its own,
// so generators run on any thread at once.

#include <array>
#include <cstdint>

namespace glyphverse {

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
  double nextDouble();
  // lo + floor(output * n / 2^32) with n = hi - lo + 1: one output per call.
  std::int32_t nextInt(std::int32_t lo, std::int32_t hi);

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
