#include "tools/hunt/catalogue_recorder.h"

namespace glyphverse {

CatalogueRecorder::CatalogueRecorder(CatalogueWriter& writer)
    : writer_(writer), thread_([this] { run(); }) {}

CatalogueRecorder::~CatalogueRecorder() {
  finish();
}

void CatalogueRecorder::add(std::vector<FinishedTile>& tiles) {
  if (tiles.empty()) return;
  {
    const std::lock_guard lock(mutex_);
    if (error_.empty()) {
      for (FinishedTile& tile : tiles) queued_.push_back(std::move(tile));
    }
  }
  tiles.clear();
  wake_.notify_one();
}

std::string CatalogueRecorder::finish() {
  {
    const std::lock_guard lock(mutex_);
    finishing_ = true;
  }
  wake_.notify_one();
  if (thread_.joinable()) thread_.join();
  return error_;
}

void CatalogueRecorder::run() {
  // Long ago: the first tiles are recorded at once.
  std::chrono::steady_clock::time_point lastCommit;
  std::unique_lock lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return !queued_.empty() || finishing_; });
    if (queued_.empty()) return;
    wake_.wait_until(lock, lastCommit + COMMIT_INTERVAL, [this] { return finishing_; });
    std::vector<FinishedTile> tiles = std::move(queued_);
    queued_.clear();
    lock.unlock();
    std::string failure = writer_.record(tiles);
    std::int64_t cells = 0;
    for (const FinishedTile& tile : tiles) cells += tile.outcome.census.cells;
    lastCommit = std::chrono::steady_clock::now();
    lock.lock();
    if (!failure.empty()) {
      error_ = std::move(failure);
      queued_.clear();
      failed_.store(true);
      return;
    }
    cellsRecorded_.fetch_add(cells);
  }
}

}  // namespace glyphverse
