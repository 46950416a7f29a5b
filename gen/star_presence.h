#pragma once
// Where the galaxy's stars stand. The presence channel reads octaves of sizes
// 1 to 4 whose lattice indices are taken modulo 256, so the pattern of stars
// repeats every STAR_PATTERN_SIZE cells along both axes, exactly: one period
// of it, made once, answers for every galaxy cell.

#include <array>
#include <cstdint>
#include <vector>

namespace glyphverse {

inline constexpr std::int32_t STAR_PATTERN_SIZE = 1024;

class StarPresence {
 public:
  // Computes one period of the pattern (a million cells, a few milliseconds
  // in a release build). Only read afterwards: any number of threads may share one.
  StarPresence();

  // The columns 0 to STAR_PATTERN_SIZE - 1 of the period that hold a star in
  // the rows of world y (any y: it wraps), in increasing order.
  const std::vector<std::uint16_t>& starColumns(std::int64_t y) const {
    return rows_[static_cast<std::size_t>(y & (STAR_PATTERN_SIZE - 1))];
  }

 private:
  std::array<std::vector<std::uint16_t>, STAR_PATTERN_SIZE> rows_;
};

}  // namespace glyphverse
