#pragma once
// The store's work off the frame thread. A worker thread opens the store and
// then runs requests in the order they came; the frame thread queues them
// and, once per frame, takes the finished ones' results without ever waiting
// for the disk or for another program's lock.

#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "keep/store.h"

namespace glyphverse {

class StoreWorker {
 public:
  using Opener = std::function<OpenedStore()>;
  // Where the store's work runs: on a thread of the worker's own, or where
  // there are no threads to be had (a web page, whose storage is quick and
  // never locked) on the caller's, at once, with the answers still handed
  // over by deliver().
  enum class Runs { onItsOwnThread, onTheCallersThread };

  // Starts the thread, which calls `open` before anything else.
  explicit StoreWorker(Opener open, Runs runs = Runs::onItsOwnThread);
  // finish().
  ~StoreWorker();
  StoreWorker(const StoreWorker&) = delete;
  StoreWorker& operator=(const StoreWorker&) = delete;

  // Queues `work`; `done` gets its outcome on the thread that calls
  // deliver(). Without a store, `done` gets the reason there is none.
  template <typename T>
  void request(std::function<Outcome<T>(Store&)> work, std::function<void(Outcome<T>)> done) {
    queue([this, work = std::move(work), done = std::move(done)](Store* store) {
      auto outcome = store != nullptr ? work(*store) : Outcome<T>::failure(noStoreReason());
      return std::function<void()>(
          [done, outcome = std::move(outcome)]() mutable { done(std::move(outcome)); });
    });
  }

  // Runs the `done` of every request finished since the last call, in
  // order; never waits for the worker. Returns how many ran.
  int deliver();

  // Queues `work` and waits for its outcome: for start-up and the end of
  // the program only, never for the frames.
  template <typename T>
  Outcome<T> call(std::function<Outcome<T>(Store&)> work) {
    auto promise = std::make_shared<std::promise<Outcome<T>>>();
    queue([this, work = std::move(work), promise](Store* store) {
      promise->set_value(store != nullptr ? work(*store) : Outcome<T>::failure(noStoreReason()));
      return std::function<void()>();
    });
    return promise->get_future().get();
  }

  // Once the store has been opened or has failed to open: why it failed,
  // the first time this is asked after that; nothing otherwise, and nothing
  // when no store was asked for. Never waits.
  std::optional<std::string> takeOpenFailure();

  // Runs every request queued so far, closes the store and ends the thread.
  // Requests queued afterwards get the reason that the store is closed.
  void finish();

 private:
  using Job = std::function<std::function<void()>(Store*)>;
  void queue(Job job);
  void run(const Opener& open);
  std::string noStoreReason();

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  std::deque<std::function<void()>> finished_;
  bool stopping_ = false;
  bool opened_ = false;
  bool failureTaken_ = false;
  bool closed_ = false;
  bool inline_ = false;  // the caller's thread does the work
  std::string openError_;
  std::unique_ptr<Store> store_;  // used on the worker thread alone
  std::thread thread_;
};

}  // namespace glyphverse
