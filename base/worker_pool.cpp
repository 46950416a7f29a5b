#include "base/worker_pool.h"

#include <pthread.h>
#include <sched.h>

#include <system_error>
#include <utility>

namespace glyphverse {

WorkerPool::WorkerPool(int threads) {
  helpers_.reserve(static_cast<std::size_t>(std::max(threads, 1) - 1));
  for (int part = 1; part < threads; ++part) {
    try {
      helpers_.emplace_back(&WorkerPool::serve, this, part);
    } catch (const std::system_error&) {
      break;
    }
  }
}

WorkerPool::~WorkerPool() {
  {
    const std::lock_guard lock(mutex_);
    ending_ = true;
  }
  wake_.notify_all();
  for (std::thread& helper : helpers_) helper.join();
}

// The cores this process may run on: a batch system or a container may give
// it fewer than the machine has.
int WorkerPool::coreCount() {
#if defined(__GLIBC__)
  cpu_set_t allowed;
  if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0)
    return std::max(1, CPU_COUNT(&allowed));
#endif
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

std::uint64_t WorkerPool::threadStackBytes() {
#if defined(__GLIBC__)
  pthread_attr_t attributes;
  std::size_t bytes = 0;
  if (::pthread_getattr_default_np(&attributes) == 0) {
    ::pthread_attr_getstacksize(&attributes, &bytes);
    ::pthread_attr_destroy(&attributes);
  }
  if (bytes > 0) return bytes;
#endif
  return std::uint64_t{8} << 20;  // the usual default
}

void WorkerPool::run(int parts, std::int64_t tasks, const TaskWork& work) {
  const std::lock_guard oneRun(running_);
  {
    const std::lock_guard lock(mutex_);
    work_ = &work;
    tasks_ = tasks;
    parts_ = parts;
    failure_ = nullptr;
    nextTask_.store(0, std::memory_order_relaxed);
    open_ = parts > 1;
    if (open_) ++round_;
  }
  if (parts > 1) wake_.notify_all();
  take(0);
  std::unique_lock lock(mutex_);
  // Every task is taken: a helper that wakes only now has nothing to do, and
  // a small run does not wait for it.
  open_ = false;
  finished_.wait(lock, [this] { return helping_ == 0; });
  work_ = nullptr;
  if (failure_) std::rethrow_exception(std::exchange(failure_, nullptr));
}

void WorkerPool::take(int part) {
  try {
    for (std::int64_t task; (task = nextTask_.fetch_add(1, std::memory_order_relaxed)) < tasks_;) {
      (*work_)(part, task);
    }
  } catch (...) {
    nextTask_.store(tasks_, std::memory_order_relaxed);
    const std::lock_guard lock(mutex_);
    if (!failure_) failure_ = std::current_exception();
  }
}

// A helper waits for each run that needs its part, and then takes tasks
// like the caller while the run is open.
void WorkerPool::serve(int part) {
  std::uint64_t seen = 0;
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [&] { return ending_ || round_ != seen; });
    if (ending_) return;
    seen = round_;
    if (!open_ || part >= parts_) continue;
    ++helping_;
    lock.unlock();
    take(part);
    lock.lock();
    if (--helping_ == 0) finished_.notify_one();
  }
}

}  // namespace glyphverse
