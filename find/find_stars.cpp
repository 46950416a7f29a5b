#include "find/find_stars.h"

#if GLYPHVERSE_HAS_TBB
#include <tbb/blocked_range.h>
#include <tbb/parallel_reduce.h>
#include <tbb/task_arena.h>
#endif

namespace glyphverse {
namespace {

// A row is up to 2 * radius + 1 cells; a few rows a task keep the tasks many
// and the control's counter quiet.
constexpr int ROWS_PER_TASK = 8;

}  // namespace

SearchResult findStars(const SearchRequest& request, SearchControl& control, int threads) {
  const StarScan scan(request);
  control.begin(scan.cellCount());
#if GLYPHVERSE_HAS_TBB
  auto scanAll = [&] {
    return tbb::parallel_reduce(
        tbb::blocked_range<int>(0, scan.rowCount(), ROWS_PER_TASK), SearchPart{},
        [&](const tbb::blocked_range<int>& rows, SearchPart part) {
          part.merge(scan.scanRows(rows.begin(), rows.end(), control));
          return part;
        },
        [](SearchPart left, const SearchPart& right) {
          left.merge(right);
          return left;
        });
  };
  if (threads > 0) {
    tbb::task_arena arena(threads);
    return scan.finish(arena.execute(scanAll));
  }
  return scan.finish(scanAll());
#else
  (void)threads;
  return scan.finish(scan.scanRows(0, scan.rowCount(), control));
#endif
}

}  // namespace glyphverse
