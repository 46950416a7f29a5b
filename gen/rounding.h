#pragma once
// The few ways a real number becomes an integer in the generators. Every
// generator uses these, so the rounding rules live in one place.

#include <cmath>
#include <cstdint>

#include "gen/float_evaluation.h"

namespace glyphverse {

// Nearest integer, ties to even, as a double. For |v| < 2^51 adding and
// removing 1.5 * 2^52 leaves exactly the nearest-even integer in the default
// rounding mode, without a library call; larger values are integers already.
inline double roundTiesToEven(double v) {
  constexpr double shifter = 6755399441055744.0;  // 1.5 * 2^52
  if (std::fabs(v) < 2251799813685248.0) {        // 2^51
    return (v + shifter) - shifter;  // not an identity in IEEE arithmetic: never folded
  }
  return std::nearbyint(v);
}

// Whole part: rounding toward minus infinity.
inline double wholePart(double v) {
  return std::floor(v);
}

// The low 8 bits of an integer in two's complement.
constexpr std::uint8_t low8(std::int64_t v) {
  return static_cast<std::uint8_t>(v & 0xFF);
}

// Remainder with the sign of the dividend (truncating division), as C++'s %.
constexpr std::int64_t truncatingRemainder(std::int64_t a, std::int64_t b) {
  return a % b;
}

}  // namespace glyphverse
