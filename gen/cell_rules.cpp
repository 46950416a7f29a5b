#include "gen/cell_rules.h"

#include <algorithm>
#include <array>

#include "gen/noise.h"
#include "gen/rounding.h"

namespace glyphverse {
namespace {

// The system curve takes only a few hundred inputs, so pow runs that often
// once, not once per cell; the table is filled on first use and never changes
// afterwards, so any thread may read it. Its exponent is noise - nebIntens / 2,
// a multiple of 0.5 that a float holds exactly, so one table indexed by twice
// the exponent (0 to 510; below 0 the curve is 255 as at 0) serves every
// intensity.
const std::array<std::uint8_t, 511>& systemCurve() {
  static const auto curve = [] {
    std::array<std::uint8_t, 511> table{};
    for (int twice = 0; twice < 511; ++twice) {
      const int value = (twice + 1) / 2;  // value - offset = twice / 2
      const float offset = static_cast<float>(2 * value - twice) / 2.0f;
      table[twice] = shapeChannel(static_cast<std::uint8_t>(value), offset, SYSTEM_BACKGROUND_BASE);
    }
    return table;
  }();
  return curve;
}

}  // namespace

std::array<std::uint8_t, 256> makeNebulaCurve() {
  std::array<std::uint8_t, 256> curve{};
  for (int v = 0; v < 256; ++v) {
    curve[v] = shapeChannel(static_cast<std::uint8_t>(v), NEBULA_OFFSET, NEBULA_BASE);
  }
  return curve;
}

std::uint8_t systemLevel(std::uint8_t noise, std::uint8_t nebIntens) {
  return systemCurve()[std::max(0, 2 * noise - nebIntens)];
}

GlyphCell starFromBrightness(std::uint8_t b) {
  const std::uint8_t glyph = b < 160   ? SMALL_STAR_GLYPH
                             : b < 180 ? MEDIUM_STAR_GLYPH
                                       : BRIGHT_STAR_GLYPH;
  const auto grey = static_cast<std::uint8_t>(std::min(b + 50, 255));
  return makeGlyphCell(glyph, grey, grey, grey);
}

GlyphCell systemCellFromLevel(std::uint8_t m, const StarSystem& system) {
  const std::uint8_t k = system.nebIntens;
  auto channel = [&](int shift) {
    const auto h = static_cast<std::uint8_t>(system.nebColor >> shift);
    const double average = roundTiesToEven((m + h) / 2.0);
    return static_cast<std::uint8_t>(std::max(static_cast<int>(average) - (255 - k), 0));
  };
  return makeGlyphCell(NEBULA_GLYPH, channel(16), channel(8), channel(0));
}

}  // namespace glyphverse
