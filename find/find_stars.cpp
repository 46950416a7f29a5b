#include "find/find_stars.h"

#include <algorithm>
#include <vector>

#include "base/worker_pool.h"

namespace glyphverse {
namespace {

// A row is up to 2 * radius + 1 cells; a few rows a task keep the tasks many
// (so the threads end together) and the control's counter quiet.
constexpr int ROWS_PER_TASK = 8;

int threadsFor(int asked, int tasks) {
  return std::clamp(asked > 0 ? asked : WorkerPool::coreCount(), 1, std::max(tasks, 1));
}

}  // namespace

SearchResult findStars(const SearchRequest& request, SearchControl& control, int threads) {
  const StarScan scan(request);
  control.begin(scan.cellCount());
  const int rows = scan.rowCount();
  const int tasks = (rows + ROWS_PER_TASK - 1) / ROWS_PER_TASK;
  WorkerPool pool(threadsFor(threads, tasks));
  std::vector<SearchPart> parts(static_cast<std::size_t>(pool.threads()));
  pool.runTasksInParts(parts, tasks, [&](SearchPart& part, std::int64_t task) {
    const int first = static_cast<int>(task) * ROWS_PER_TASK;
    part.merge(scan.scanRows(first, std::min(rows, first + ROWS_PER_TASK), control));
  });
  SearchPart all;
  for (const SearchPart& part : parts) all.merge(part);
  return scan.finish(all);
}

}  // namespace glyphverse
