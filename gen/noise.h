#pragma once
// Lattice value noise: building the noise tables, smooth noise, turbulence
// and the colour curve that turns a noise byte into a channel. Every noise
// evaluation is told the tables it reads.

#include <array>
#include <cstdint>

#include "gen/rounding.h"
#include "world/noise_tables.h"

namespace glyphverse {

// Seed of the galaxy's noise tables.
inline constexpr double INITIAL_NOISE_SEED = 4242.0;

// Lattice values are ramp values scaled by this single-precision constant.
inline constexpr float LATTICE_SCALE = 0.507f;

// The ramp: entry i is the double nearest to 2i/255 - 1. A single division
// gives exactly that; i / 255 * 2 - 1 in three roundings would not.
inline constexpr std::array<double, 256> noiseRamp = [] {
  std::array<double, 256> ramp{};
  for (int i = 0; i < 256; ++i) ramp[i] = (2.0 * i - 255.0) / 255.0;
  return ramp;
}();

// Replaces `tables` with the tables of `seed`, which depend on the seed alone.
// Draws 256 values from a random source of its own.
void buildNoiseTables(NoiseTables& tables, double seed);
// The same, as a new value.
NoiseTables noiseTablesFor(double seed);

// Value noise on the integer lattice with a quintic fade, wrapping every
// `period` lattice steps (a period below 1 counts as 1). In [-0.507, 0.507].
double smoothNoise(const NoiseTables& tables, double x, double y, std::int32_t period);

// Octaves of smoothNoise from `size` cells down to 1, each weighted by its
// size, scaled to a byte around 127 (the low 8 bits of the rounded sum).
std::uint8_t turbulence(const NoiseTables& tables, double x, double y, double size, double period);

// 255 * base^(value - offset), with negative exponents taken as 0: the low 8
// bits of the rounded product.
std::uint8_t shapeChannel(std::uint8_t value, float offset, float base);

// a when a > b, otherwise b (also for equal values and NaN).
constexpr double maxOf(double a, double b) {
  return a > b ? a : b;
}

// Smooth-step weight 6t^5 - 15t^4 + 10t^3, evaluated as t*t*t * ((6t - 15)t + 10).
constexpr double fade(double t) {
  return t * t * t * ((6.0 * t - 15.0) * t + 10.0);
}

// The final mapping of a turbulence sum to its byte. Inline, since it runs
// for every channel of every generated cell.
inline std::uint8_t turbulenceByte(double sum, double startSize) {
  const double r = roundTiesToEven(sum * 128.0 / startSize + 127.0);
  return low8(static_cast<std::int64_t>(r));
}

}  // namespace glyphverse
