#include "gen/star_hunt.h"

#include <algorithm>
#include <memory>

#include "gen/names.h"
#include "gen/places.h"
#include "world/geometry.h"

namespace glyphverse {

CellRect TilePlan::tile(std::int64_t index) const {
  const std::int64_t left = index % columns() * side;
  const std::int64_t top = index / columns() * side;
  return CellRect{wrapCoordinate(region.x + left), wrapCoordinate(region.y + top),
                  std::min<std::int64_t>(side, region.width - left),
                  std::min<std::int64_t>(side, region.height - top)};
}

namespace {

// One row of the rectangle: only the cells the pattern marks as stars are
// looked at, and for each the nebula and the seed's first draws.
class RowHunt {
 public:
  RowHunt(const StarFilter& filter, HuntOutcome& outcome) : filter_(filter), outcome_(outcome) {}

  // `noise` gives the channels' bytes at galaxy cell (x, y).
  template <typename Noise>
  void star(Noise&& noise, std::int32_t x, std::int32_t y) {
    const GlyphCell nebula = nebulaFrom(noise);
    const std::uint8_t intensity = nebulaIntensity(nebula);
    const SystemCounts counts = systemCountsAt(x, y);
    outcome_.census.countStar(counts, intensity);
    if (!passesCounts(filter_, counts, intensity)) return;
    std::string name = quickName(cellSeed(x, y));
    if (filter_.needsName() && !passesName(filter_, name)) return;
    outcome_.systems.push_back(
        HuntedSystem{{x, y}, counts, cellColor(nebula), intensity, std::move(name)});
  }

 private:
  const StarFilter& filter_;
  HuntOutcome& outcome_;
};

// A cell's channels from its column and its row's blends, octaves computed
// only as far as the channels ask.
class BlendedNoise {
 public:
  BlendedNoise(const ColumnOctaves& column, const RowBlends& blends)
      : column_(column), blends_(blends) {}

  std::uint8_t operator()(NoiseChannel channel) {
    const int top = channel.startOctave();
    for (; computed_ <= top; ++computed_) {
      noise_[computed_] = blendedOctaveNoise(column_, blends_, computed_);
    }
    return turbulenceFromOctaves(noise_, top);
  }

 private:
  const ColumnOctaves& column_;
  const RowBlends& blends_;
  std::array<double, OCTAVE_COUNT> noise_{};
  int computed_ = 0;
};

// From this width on a row's blends cost less than the lattice lookups
// they save.
constexpr std::int64_t BLENDED_FROM_WIDTH = 1024;

}  // namespace

RectHunt::RectHunt(const StarPresence& presence, const StarFilter& filter, const CellRect& rect)
    : presence_(presence), filter_(filter), rect_(rect), batch_(galaxyWorld()) {
  columns_.reserve(static_cast<std::size_t>(rect.width));
  for (std::int64_t dx = 0; dx < rect.width; ++dx) columns_.push_back(batch_.columnAt(rect.x + dx));
}

HuntOutcome RectHunt::rows(std::int64_t firstRow, std::int64_t lastRow) const {
  HuntOutcome outcome;
  RowHunt hunt(filter_, outcome);
  const bool blended = rect_.width >= BLENDED_FROM_WIDTH;
  auto blends = std::make_unique<RowBlends>();
  // The pattern's periods that the row's cells fall in, from the one holding
  // the first cell; rect.x + dx keeps its place in the period when wrapped.
  const std::int64_t firstPeriod = rect_.x - rect_.x % STAR_PATTERN_SIZE;
  const std::int64_t end = rect_.x + rect_.width;
  for (std::int64_t dy = firstRow; dy < lastRow; ++dy) {
    const std::int32_t y = wrapCoordinate(rect_.y + dy);
    const RowOctaves row = batch_.rowAt(y);
    if (blended) blendRow(*blends, row, galaxyTables());
    const std::vector<std::uint16_t>& stars = presence_.starColumns(y);
    for (std::int64_t period = firstPeriod; period < end; period += STAR_PATTERN_SIZE) {
      auto it = stars.begin();
      if (period < rect_.x) it = std::lower_bound(stars.begin(), stars.end(), rect_.x - period);
      for (; it != stars.end() && period + *it < end; ++it) {
        const std::int64_t dx = period + *it - rect_.x;
        const ColumnOctaves& column = columns_[static_cast<std::size_t>(dx)];
        const std::int32_t x = wrapCoordinate(rect_.x + dx);
        if (blended) {
          hunt.star(BlendedNoise(column, *blends), x, y);
        } else {
          hunt.star(batch_.noiseAt(column, row), x, y);
        }
      }
    }
  }
  outcome.census.cells = rect_.width * std::max<std::int64_t>(0, lastRow - firstRow);
  return outcome;
}

}  // namespace glyphverse
