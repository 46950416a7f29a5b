#include "gen/star_presence.h"

#include "gen/cell_batch.h"
#include "gen/places.h"

namespace glyphverse {

static_assert(WORLD_SIZE % STAR_PATTERN_SIZE == 0, "the pattern must tile the world");
static_assert(STAR_PRESENCE.startSize * 256 == STAR_PATTERN_SIZE && !STAR_PRESENCE.wrapsCoordinates,
              "the presence channel's largest octave repeats every 256 lattice steps");

StarPresence::StarPresence() {
  const CellBatch batch(galaxyWorld());
  std::vector<ColumnOctaves> columns;
  for (std::int32_t x = 0; x < STAR_PATTERN_SIZE; ++x) columns.push_back(batch.columnAt(x));
  for (std::int32_t y = 0; y < STAR_PATTERN_SIZE; ++y) {
    const RowOctaves row = batch.rowAt(y);
    auto& stars = rows_[static_cast<std::size_t>(y)];
    for (std::int32_t x = 0; x < STAR_PATTERN_SIZE; ++x) {
      OctaveNoise noise = batch.noiseAt(columns[static_cast<std::size_t>(x)], row);
      if (isStarByte(noise(STAR_PRESENCE))) stars.push_back(static_cast<std::uint16_t>(x));
    }
  }
}

}  // namespace glyphverse
