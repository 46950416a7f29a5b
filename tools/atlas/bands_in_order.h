#pragma once
// The order in which an atlas's bands, made on several threads at once, are
// written: bands in flight take turns in a few slots, band i in slot
// i % slots once the band before it there is written. Made bands are written
// in order, one at a time, by whichever thread finds the next one to write
// made.

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <vector>

namespace glyphverse {

class BandsInOrder {
 public:
  explicit BandsInOrder(std::int64_t slots) : made_(static_cast<std::size_t>(slots), false) {}

  std::int64_t slots() const { return static_cast<std::int64_t>(made_.size()); }

  // Waits until band `index` has a slot; false once the render has failed.
  bool waitForSlot(std::int64_t index) {
    std::unique_lock lock(mutex_);
    room_.wait(lock, [&] { return failed_ || index < written_ + slots(); });
    return !failed_;
  }

  // Band `index` is made. Unless another thread is writing, this one writes
  // (write(i) for band i) the bands next in order for as long as they are made.
  template <typename Write>
  void made(std::int64_t index, const Write& write) {
    std::unique_lock lock(mutex_);
    made_[slotOf(index)] = true;
    if (writing_) return;  // the writer will find it
    writing_ = true;
    while (!failed_ && made_[slotOf(written_)]) {
      const std::int64_t next = written_;
      lock.unlock();
      write(next);
      lock.lock();
      made_[slotOf(next)] = false;
      ++written_;
      room_.notify_all();
    }
    writing_ = false;
  }

  // Wakes every thread waiting for a slot, to give up.
  void fail() {
    {
      const std::lock_guard lock(mutex_);
      failed_ = true;
    }
    room_.notify_all();
  }

 private:
  std::size_t slotOf(std::int64_t index) const { return static_cast<std::size_t>(index % slots()); }

  std::mutex mutex_;
  std::condition_variable room_;
  std::vector<bool> made_;  // a slot at a time
  std::int64_t written_ = 0;
  bool writing_ = false;
  bool failed_ = false;
};

}  // namespace glyphverse
