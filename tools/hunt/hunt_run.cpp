#include "tools/hunt/hunt_run.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "base/progress.h"
#include "tools/hunt/catalogue_recorder.h"
#include "tools/hunt/outcome_bytes.h"
#include "tools/hunt/tile_hunt.h"

namespace glyphverse {
namespace {

// How long the coordinator rests when no rank asked and no tile finished.
constexpr auto IDLE_WAIT = std::chrono::milliseconds(1);

// The tiles not done yet, handed out in the plan's order. A flag a tile
// keeps the whole galaxy's 16.7 million tiles in 2 MB.
class TileQueue {
 public:
  explicit TileQueue(std::vector<bool> done) : done_(std::move(done)) {}
  std::optional<std::int64_t> take() {
    const std::lock_guard lock(mutex_);
    while (next_ < done_.size() && done_[next_]) ++next_;
    if (stopped_ || next_ >= done_.size()) return std::nullopt;
    return static_cast<std::int64_t>(next_++);
  }
  void stop() {
    const std::lock_guard lock(mutex_);
    stopped_ = true;
  }

 private:
  std::mutex mutex_;
  std::vector<bool> done_;
  std::size_t next_ = 0;
  bool stopped_ = false;
};

// Tiles this machine finished, waiting to be recorded.
class FinishedTiles {
 public:
  void add(FinishedTile tile) {
    const std::lock_guard lock(mutex_);
    tiles_.push_back(std::move(tile));
  }
  void takeInto(std::vector<FinishedTile>& out) {
    const std::lock_guard lock(mutex_);
    for (FinishedTile& tile : tiles_) out.push_back(std::move(tile));
    tiles_.clear();
  }

 private:
  std::mutex mutex_;
  std::vector<FinishedTile> tiles_;
};

// Which tiles the catalogue has; all, so that none is handed out, when it
// cannot say.
std::vector<bool> tilesDone(const TilePlan& plan, CatalogueWriter* writer, std::string& error) {
  std::vector<bool> done(static_cast<std::size_t>(plan.tileCount()), writer == nullptr);
  if (writer != nullptr && !writer->readDoneTiles(done, error)) done.assign(done.size(), true);
  return done;
}

std::int64_t cellsToDo(const TilePlan& plan, const std::vector<bool>& done) {
  std::int64_t cells = 0;
  for (std::size_t i = 0; i < done.size(); ++i) {
    if (done[i]) continue;
    const CellRect rect = plan.tile(static_cast<std::int64_t>(i));
    cells += rect.width * rect.height;
  }
  return cells;
}

}  // namespace

std::string coordinateHunt(const HuntSetup& setup, CatalogueWriter* writer, Ranks& ranks) {
  std::string error;
  std::vector<bool> done = tilesDone(setup.plan, writer, error);
  ProgressBar progress(cellsToDo(setup.plan, done), "cells", setup.progress);
  TileQueue queue(std::move(done));
  std::optional<CatalogueRecorder> recorder;
  if (writer != nullptr) recorder.emplace(*writer);

  const StarPresence presence;
  FinishedTiles finished;
  std::atomic<bool> computing{true};
  std::thread local([&] {
    WorkerPool pool(huntThreads(setup.threads));
    while (const auto tile = queue.take()) {
      finished.add({*tile, huntTile(presence, setup.filter, setup.plan.tile(*tile), pool)});
    }
    computing.store(false);
  });

  int ranksAtWork = ranks.size() - 1;
  std::vector<FinishedTile> arrived;
  for (;;) {
    bool busy = false;
    while (const auto request = ranks.pollRequest()) {
      busy = true;
      if (!request->tileBytes.empty()) {
        auto tile = tileFromBytes(request->tileBytes);
        if (tile && tile->index >= 0 && tile->index < setup.plan.tileCount()) {
          arrived.push_back(std::move(*tile));
        } else if (error.empty()) {
          error = "rank " + std::to_string(request->rank) + " sent a damaged tile";
          queue.stop();
        }
      }
      const auto next = queue.take();
      ranks.answer(request->rank, next);
      if (!next) --ranksAtWork;
    }
    const bool lastRound = !computing.load() && ranksAtWork == 0;
    finished.takeInto(arrived);
    if (recorder && error.empty()) {
      recorder->add(arrived);
      if (recorder->failed()) queue.stop();
      progress.update(recorder->cellsRecorded());
    }
    arrived.clear();
    if (lastRound) break;
    if (!busy) std::this_thread::sleep_for(IDLE_WAIT);
  }
  local.join();
  if (recorder) {
    const std::string failure = recorder->finish();
    if (error.empty()) error = failure;
  }
  progress.finish();
  return error;
}

void computeGivenTiles(const HuntSetup& setup, Ranks& ranks) {
  const StarPresence presence;
  WorkerPool pool(huntThreads(setup.threads));
  std::string finished;
  while (const auto tile = ranks.exchange(finished)) {
    finished = tileBytes({*tile, huntTile(presence, setup.filter, setup.plan.tile(*tile), pool)});
  }
}

}  // namespace glyphverse
