// The worker pool that the scanner, the atlas, the search and the hunt share
// their work out with.

#include "base/worker_pool.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <stdexcept>
#include <thread>
#include <vector>

namespace glyphverse {
namespace {

struct Taken {
  std::vector<std::int64_t> tasks;
  std::vector<std::thread::id> threads;
};

// Every task once, run after run on the same threads; a pool of one thread
// runs them all on the caller's.
TEST(WorkerPool, EveryTaskRunsOnceRunAfterRun) {
  for (const int threads : {1, 3}) {
    WorkerPool pool(threads);
    for (const std::int64_t tasks : {0, 2, 1000, 1000}) {
      std::vector<Taken> parts(static_cast<std::size_t>(pool.threads()));
      pool.runTasksInParts(parts, tasks, [](Taken& part, std::int64_t task) {
        part.tasks.push_back(task);
        part.threads.push_back(std::this_thread::get_id());
      });
      std::vector<std::int64_t> all;
      for (const Taken& part : parts) all.insert(all.end(), part.tasks.begin(), part.tasks.end());
      std::sort(all.begin(), all.end());
      std::vector<std::int64_t> each(static_cast<std::size_t>(tasks));
      std::iota(each.begin(), each.end(), 0);
      EXPECT_EQ(all, each) << threads << " threads, " << tasks << " tasks";
      if (threads == 1) {
        EXPECT_TRUE(
            std::all_of(parts[0].threads.begin(), parts[0].threads.end(),
                        [](std::thread::id id) { return id == std::this_thread::get_id(); }));
      }
    }
  }
}

// A task that throws ends the run, the caller gets the exception, and the
// pool runs the next run whole.
TEST(WorkerPool, ThrowingTaskReachesTheCaller) {
  WorkerPool pool(2);
  std::vector<int> parts(static_cast<std::size_t>(pool.threads()));
  const auto failing = [](int&, std::int64_t task) {
    if (task == 10) throw std::runtime_error("task 10");
  };
  EXPECT_THROW(pool.runTasksInParts(parts, 1000, failing), std::runtime_error);
  std::fill(parts.begin(), parts.end(), 0);
  pool.runTasksInParts(parts, 1000, [](int& part, std::int64_t) { ++part; });
  EXPECT_EQ(std::accumulate(parts.begin(), parts.end(), 0), 1000);
}

}  // namespace
}  // namespace glyphverse
