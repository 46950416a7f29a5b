#include "gen/noise.h"

#include <cmath>
#include <utility>

#include "gen/random.h"
#include "gen/rounding.h"

namespace glyphverse {
namespace {

std::int32_t toInt32(double integral) {
  return static_cast<std::int32_t>(integral);
}
std::int64_t toInt64(double integral) {
  return static_cast<std::int64_t>(integral);
}

// Index of a lattice coordinate: the low 8 bits of its remainder by the period.
std::uint8_t latticeIndex(std::int64_t coordinate, std::int64_t period) {
  return low8(truncatingRemainder(coordinate, period));
}

}  // namespace

void buildNoiseTables(NoiseTables& tables, double seed) {
  RandomSource random = seededSource(seed);
  tables.seed = seed;
  auto& perm = tables.perm;
  for (int i = 0; i < 256; ++i) perm[i] = static_cast<std::uint8_t>(i);
  // Every swap partner is drawn from the whole table, not from the entries
  // still unshuffled: the universe depends on exactly this shuffle.
  for (int i = 0; i < 256; ++i) {
    const int j = static_cast<int>(wholePart(random.nextDouble() * 256.0));
    std::swap(perm[i], perm[j]);
  }
  for (int i = 0; i < 256; ++i) perm[i + 256] = perm[i];
  for (int j = 0; j < 256; ++j) {
    tables.latticeValues[j] = noiseRamp[perm[j]] * static_cast<double>(LATTICE_SCALE);
  }
}

NoiseTables noiseTablesFor(double seed) {
  NoiseTables tables;
  buildNoiseTables(tables, seed);
  return tables;
}

double smoothNoise(const NoiseTables& tables, double x, double y, std::int32_t period) {
  // Halves go to the even neighbour; at a lattice point the fade makes both
  // neighbouring cells give the same value, so the choice is invisible.
  const double latticeX = roundTiesToEven(x - 0.5);
  const double latticeY = roundTiesToEven(y - 0.5);
  const double fx = x - latticeX;
  const double fy = y - latticeY;
  const std::int64_t wrap = period < 1 ? 1 : period;

  const std::int64_t column = toInt64(latticeX);
  const std::int64_t row = toInt64(latticeY);
  const std::uint8_t x0 = latticeIndex(column, wrap);
  const std::uint8_t x1 = latticeIndex(column + 1, wrap);
  const std::uint8_t y0 = latticeIndex(row, wrap);
  const std::uint8_t y1 = latticeIndex(row + 1, wrap);

  const double w = fade(fy);
  const double u = fade(fx);

  const auto& perm = tables.perm;
  const auto& values = tables.latticeValues;
  auto corner = [&](std::uint8_t a, std::uint8_t b) { return values[perm[a + perm[b]]]; };

  const double l0 = corner(x0, y0) + (corner(x0, y1) - corner(x0, y0)) * w;
  const double l1 = corner(x1, y0) + (corner(x1, y1) - corner(x1, y0)) * w;
  return l0 + (l1 - l0) * u;
}

std::uint8_t turbulence(const NoiseTables& tables, double x, double y, double size, double period) {
  const double startSize = size;
  double sum = 0.0;
  while (size >= 1.0) {
    const std::int32_t octavePeriod = toInt32(roundTiesToEven(period / size));
    sum += smoothNoise(tables, x / size, y / size, octavePeriod) * size;
    size /= 2.0;
  }
  return turbulenceByte(sum, startSize);
}

std::uint8_t shapeChannel(std::uint8_t value, float offset, float base) {
  float t = static_cast<float>(value) - offset;
  if (!(t >= 0.0f)) t = 0.0f;
  const double r = std::pow(static_cast<double>(base), static_cast<double>(t));
  return low8(static_cast<std::int64_t>(roundTiesToEven(r * 255.0)));
}

}  // namespace glyphverse
