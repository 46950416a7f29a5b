#include "keep/store_worker.h"

#include <utility>

namespace glyphverse {

StoreWorker::StoreWorker(Opener open, Runs runs) {
  if (runs == Runs::onItsOwnThread) {
    thread_ = std::thread([this, open = std::move(open)] { run(open); });
    return;
  }
  OpenedStore opened = open();
  store_ = std::move(opened.store);
  openError_ = std::move(opened.error);
  opened_ = true;
  inline_ = true;
}

StoreWorker::~StoreWorker() {
  finish();
}

void StoreWorker::queue(Job job) {
  if (inline_) {
    if (auto done = job(closed_ ? nullptr : store_.get())) finished_.push_back(std::move(done));
    return;
  }
  {
    const std::lock_guard lock(mutex_);
    if (!stopping_) {
      jobs_.push_back(std::move(job));
      wake_.notify_one();
      return;
    }
  }
  // Closed: answered at once, on the caller's thread, without a store.
  if (auto done = job(nullptr)) {
    const std::lock_guard lock(mutex_);
    finished_.push_back(std::move(done));
  }
}

void StoreWorker::run(const Opener& open) {
  OpenedStore opened = open();
  {
    const std::lock_guard lock(mutex_);
    store_ = std::move(opened.store);
    openError_ = std::move(opened.error);
    opened_ = true;
  }
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      wake_.wait(lock, [this] { return stopping_ || !jobs_.empty(); });
      if (jobs_.empty()) break;  // stopping, with nothing left to do
      job = std::move(jobs_.front());
      jobs_.pop_front();
    }
    // The store's work runs with no lock held, so that the frames never
    // wait for it.
    if (auto done = job(store_.get())) {
      const std::lock_guard lock(mutex_);
      finished_.push_back(std::move(done));
    }
  }
  store_.reset();
}

int StoreWorker::deliver() {
  std::deque<std::function<void()>> ready;
  {
    const std::lock_guard lock(mutex_);
    ready.swap(finished_);
  }
  for (auto& done : ready) done();
  return static_cast<int>(ready.size());
}

std::optional<std::string> StoreWorker::takeOpenFailure() {
  const std::lock_guard lock(mutex_);
  if (!opened_ || failureTaken_ || openError_.empty()) return std::nullopt;
  failureTaken_ = true;
  return openError_;
}

void StoreWorker::finish() {
  {
    const std::lock_guard lock(mutex_);
    stopping_ = true;
    wake_.notify_one();
  }
  if (thread_.joinable()) thread_.join();
  const std::lock_guard lock(mutex_);
  if (inline_) store_.reset();
  closed_ = true;
}

std::string StoreWorker::noStoreReason() {
  const std::lock_guard lock(mutex_);
  if (!openError_.empty()) return "no bookmarks: " + openError_;
  if (closed_) return "no bookmarks: the database is closed";
  return "no bookmarks: the database is off in this run";
}

}  // namespace glyphverse
