#pragma once
// A few threads, started once and waiting between runs, for work cut into
// numbered tasks: each thread takes the next task as it finishes one and adds
// what it finds into a part of its own, so no two threads share anything but
// the task counter. The calling thread takes part too; the caller merges the
// parts.

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace glyphverse {

class WorkerPool {
 public:
  // `threads` counts the caller (at least one); a thread that cannot be
  // started leaves its share to the others.
  explicit WorkerPool(int threads);
  ~WorkerPool();
  WorkerPool(const WorkerPool&) = delete;
  WorkerPool& operator=(const WorkerPool&) = delete;

  // One a core this process may run on, at least one.
  static int coreCount();
  // The stack each of the pool's threads takes (what std::thread gives).
  static std::uint64_t threadStackBytes();

  // The threads a run may use, the caller included.
  int threads() const { return static_cast<int>(helpers_.size()) + 1; }

  // Runs work(part, task) for every task from 0 to `tasks` - 1 on one thread
  // a part, up to threads(); the calling thread takes parts[0]. The first
  // exception a task throws leaves the tasks not yet taken undone and is
  // thrown again here. One run at a time.
  template <typename Part, typename Work>
  void runTasksInParts(std::vector<Part>& parts, std::int64_t tasks, const Work& work) {
    if (parts.empty()) return;
    const int used = static_cast<int>(std::min<std::size_t>(parts.size(), helpers_.size() + 1));
    run(used, tasks, [&parts, &work](int part, std::int64_t task) { work(parts[part], task); });
  }

 private:
  using TaskWork = std::function<void(int part, std::int64_t task)>;

  void run(int parts, std::int64_t tasks, const TaskWork& work);
  void take(int part);
  void serve(int part);

  std::mutex running_;  // held by the run under way
  std::mutex mutex_;    // guards what follows, but for the task counter
  std::condition_variable wake_;
  std::condition_variable finished_;
  const TaskWork* work_ = nullptr;
  std::int64_t tasks_ = 0;
  int parts_ = 1;
  int helping_ = 0;          // helpers taking tasks of this run
  bool open_ = false;        // helpers may still join this run
  std::uint64_t round_ = 0;  // counts the runs that use helpers
  bool ending_ = false;
  std::exception_ptr failure_;
  std::atomic<std::int64_t> nextTask_{0};
  std::vector<std::thread> helpers_;
};

}  // namespace glyphverse
