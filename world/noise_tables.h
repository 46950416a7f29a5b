#pragma once
// The lattice tables behind all noise: a permutation and the lattice values.
// Built from a seed by buildNoiseTables; every generator is told which tables
// to read.

#include <array>
#include <cstdint>

namespace glyphverse {

struct NoiseTables {
  double seed = 0.0;  // the seed these tables were built from (0 before any build)
  // A permutation of 0..255, repeated, so perm[a + b] needs no wrap for bytes a and b.
  std::array<std::uint8_t, 512> perm{};
  // latticeValues[j] = noiseRamp[perm[j]] * 0.507f.
  std::array<double, 256> latticeValues{};

  friend bool operator==(const NoiseTables&, const NoiseTables&) = default;
};

}  // namespace glyphverse
