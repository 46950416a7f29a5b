#pragma once
// An atlas's bands, made on several threads at once and written in order:
// band i may start once band i - inFlight is written, so that no more than
// inFlight bands are held at once. Made bands are written one at a time, in
// order, by whichever thread finds the next one to write made; a written
// band is kept for a later one to reuse its buffers.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

namespace glyphverse {

template <typename Band>
class BandsInOrder {
 public:
  BandsInOrder(std::int64_t inFlight, std::function<std::unique_ptr<Band>()> newBand)
      : made_(static_cast<std::size_t>(inFlight), nullptr), newBand_(std::move(newBand)) {}

  // Waits until band `index` may start and gives it a band to fill, a
  // written one when there is one; nullptr once the render has failed.
  Band* start(std::int64_t index) {
    {
      std::unique_lock lock(mutex_);
      room_.wait(lock, [&] { return failed_ || index < written_ + inFlight(); });
      if (failed_) return nullptr;
      if (!spare_.empty()) {
        Band* band = spare_.back();
        spare_.pop_back();
        return band;
      }
    }
    std::unique_ptr<Band> band = newBand_();
    const std::lock_guard lock(mutex_);
    all_.push_back(std::move(band));
    return all_.back().get();
  }

  // `band` holds band `index`, made. Unless another thread is writing, this
  // one writes (write(band)) the bands next in order for as long as they are
  // made.
  template <typename Write>
  void made(std::int64_t index, Band* band, const Write& write) {
    std::unique_lock lock(mutex_);
    made_[slotOf(index)] = band;
    if (writing_) return;  // the writer will find it
    writing_ = true;
    while (!failed_ && made_[slotOf(written_)] != nullptr) {
      Band* next = std::exchange(made_[slotOf(written_)], nullptr);
      lock.unlock();
      write(*next);
      lock.lock();
      spare_.push_back(next);
      ++written_;
      room_.notify_all();
    }
    writing_ = false;
  }

  // Wakes every thread waiting to start a band, to give up.
  void fail() {
    {
      const std::lock_guard lock(mutex_);
      failed_ = true;
    }
    room_.notify_all();
  }

 private:
  std::int64_t inFlight() const { return static_cast<std::int64_t>(made_.size()); }
  std::size_t slotOf(std::int64_t index) const {
    return static_cast<std::size_t>(index % inFlight());
  }

  std::mutex mutex_;
  std::condition_variable room_;
  std::vector<Band*> made_;  // made and not yet written, at index % inFlight
  std::vector<Band*> spare_;
  std::vector<std::unique_ptr<Band>> all_;
  std::function<std::unique_ptr<Band>()> newBand_;
  std::int64_t written_ = 0;
  bool writing_ = false;
  bool failed_ = false;
};

}  // namespace glyphverse
