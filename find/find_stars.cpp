#include "find/find_stars.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace glyphverse {
namespace {

// A row is up to 2 * radius + 1 cells; a few rows a task keep the tasks many
// (so the threads end together) and the control's counter quiet.
constexpr int ROWS_PER_TASK = 8;

int threadsFor(int asked, int tasks) {
  const int cores = static_cast<int>(std::thread::hardware_concurrency());
  return std::clamp(asked > 0 ? asked : cores, 1, std::max(tasks, 1));
}

}  // namespace

SearchResult findStars(const SearchRequest& request, SearchControl& control, int threads) {
  const StarScan scan(request);
  control.begin(scan.cellCount());
  const int rows = scan.rowCount();
  const int tasks = (rows + ROWS_PER_TASK - 1) / ROWS_PER_TASK;
  std::vector<SearchPart> parts(static_cast<std::size_t>(threadsFor(threads, tasks)));
  std::atomic<int> nextTask{0};
  auto work = [&](SearchPart& part) {
    for (int task; (task = nextTask.fetch_add(1, std::memory_order_relaxed)) < tasks;) {
      const int first = task * ROWS_PER_TASK;
      part.merge(scan.scanRows(first, std::min(rows, first + ROWS_PER_TASK), control));
    }
  };
  std::vector<std::thread> helpers;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    try {
      helpers.emplace_back(work, std::ref(parts[i]));
    } catch (const std::system_error&) {
      break;  // no more threads to be had: the ones running take the rest
    }
  }
  work(parts[0]);
  for (std::thread& helper : helpers) helper.join();
  SearchPart all;
  for (const SearchPart& part : parts) all.merge(part);
  return scan.finish(all);
}

}  // namespace glyphverse
