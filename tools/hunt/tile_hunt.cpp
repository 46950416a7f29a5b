#include "tools/hunt/tile_hunt.h"

#include <algorithm>
#include <vector>

namespace glyphverse {
namespace {

// Tasks of a few rows keep the threads ending together.
constexpr std::int64_t ROWS_PER_TASK = 16;

}  // namespace

int huntThreads(int asked) {
  return asked > 0 ? asked : WorkerPool::coreCount();
}

HuntOutcome huntTile(const StarPresence& presence, const StarFilter& filter, const CellRect& tile,
                     WorkerPool& pool) {
  const RectHunt hunt(presence, filter, tile);
  const std::int64_t tasks = (tile.height + ROWS_PER_TASK - 1) / ROWS_PER_TASK;
  std::vector<HuntOutcome> parts(
      static_cast<std::size_t>(std::clamp<std::int64_t>(pool.threads(), 1, tasks)));
  pool.runTasksInParts(parts, tasks, [&](HuntOutcome& part, std::int64_t task) {
    const std::int64_t first = task * ROWS_PER_TASK;
    part.add(hunt.rows(first, std::min(tile.height, first + ROWS_PER_TASK)));
  });
  HuntOutcome all;
  for (HuntOutcome& part : parts) all.add(std::move(part));
  return all;
}

}  // namespace glyphverse
