#pragma once
// Work cut into numbered tasks, spread over threads: each thread takes the
// next task as it finishes one and adds what it finds into a part of its
// own, so no two threads share anything but the task counter. The caller
// merges the parts.

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <system_error>
#include <thread>
#include <vector>

namespace glyphverse {

// Runs work(part, task) for every task from 0 to `tasks` - 1 on one thread a
// part, the calling thread included; a thread that cannot be started leaves
// its share to the ones running.
template <typename Part, typename Work>
void runTasksInParts(std::vector<Part>& parts, std::int64_t tasks, const Work& work) {
  std::atomic<std::int64_t> nextTask{0};
  auto take = [&](Part& part) {
    for (std::int64_t task; (task = nextTask.fetch_add(1, std::memory_order_relaxed)) < tasks;) {
      work(part, task);
    }
  };
  std::vector<std::thread> helpers;
  for (std::size_t i = 1; i < parts.size(); ++i) {
    try {
      helpers.emplace_back(take, std::ref(parts[i]));
    } catch (const std::system_error&) {
      break;
    }
  }
  if (!parts.empty()) take(parts[0]);
  for (std::thread& helper : helpers) helper.join();
}

}  // namespace glyphverse
