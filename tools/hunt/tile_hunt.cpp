#include "tools/hunt/tile_hunt.h"

#include <sched.h>

#include <algorithm>
#include <thread>
#include <vector>

namespace glyphverse {
namespace {

// Tasks of a few rows keep the threads ending together.
constexpr std::int64_t ROWS_PER_TASK = 16;

}  // namespace

// The cores this process may run on: a batch system gives a job fewer than
// the machine has.
int huntThreads(int asked) {
  if (asked > 0) return asked;
  cpu_set_t allowed;
  if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0)
    return std::max(1, CPU_COUNT(&allowed));
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
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
