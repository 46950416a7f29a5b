#pragma once
// Finished tiles recorded in the catalogue on a thread of its own, so that a
// commit waiting for the disk never keeps a rank waiting for its next tile.
// Tiles that arrive while a commit runs go into the next one, at most
// COMMIT_INTERVAL later: each commit waits for the disk, and a cluster
// finishes many tiles a second.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "keep/catalogue.h"

namespace glyphverse {

inline constexpr auto COMMIT_INTERVAL = std::chrono::milliseconds(500);

class CatalogueRecorder {
 public:
  // Records through `writer`, which must outlive the recorder.
  explicit CatalogueRecorder(CatalogueWriter& writer);
  ~CatalogueRecorder();
  CatalogueRecorder(const CatalogueRecorder&) = delete;
  CatalogueRecorder& operator=(const CatalogueRecorder&) = delete;

  // Queues tiles to record; dropped once recording has failed.
  void add(std::vector<FinishedTile>& tiles);
  // Records what is queued and ends the thread; "" or why recording failed.
  std::string finish();
  // Whether a commit has failed; finish() tells why.
  bool failed() const { return failed_.load(); }
  std::int64_t cellsRecorded() const { return cellsRecorded_.load(); }

 private:
  void run();

  CatalogueWriter& writer_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::vector<FinishedTile> queued_;
  bool finishing_ = false;
  std::string error_;
  std::atomic<bool> failed_{false};
  std::atomic<std::int64_t> cellsRecorded_{0};
  std::thread thread_;  // last: started once the rest is ready
};

}  // namespace glyphverse
