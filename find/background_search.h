#pragma once
// A star search running on a thread of its own while the caller goes on
// (the explorer draws frames meanwhile): it reports how far it is, can be
// cancelled, and hands over its result once finished.

#include <atomic>
#include <thread>

#include "find/find_stars.h"

namespace glyphverse {

class BackgroundSearch {
 public:
  // Where the search runs: on threads of its own, or (a platform without
  // threads, such as a browser's page) here, on one thread, before the
  // constructor returns.
  enum class Runs { onItsOwnThreads, onTheCallersThread };

  // Starts the search at once; `threads` as for findStars. Where no thread
  // can be started, the search runs here, before the constructor returns.
  explicit BackgroundSearch(const SearchRequest& request, int threads = 0,
                            Runs runs = Runs::onItsOwnThreads);
  // Cancels the search if it still runs and waits for its thread.
  ~BackgroundSearch();
  BackgroundSearch(const BackgroundSearch&) = delete;
  BackgroundSearch& operator=(const BackgroundSearch&) = delete;

  // The share of the area searched so far, 0 to 1.
  double fractionDone() const { return control_.fractionDone(); }
  // Asks the search to stop; it finishes soon after, marked cancelled.
  void cancel() { control_.cancel(); }
  bool finished() const { return finished_.load(std::memory_order_acquire); }
  // Waits for the search to finish, for callers that must see it whole
  // before they go on (a scripted run, whose frames are not in real time).
  void waitUntilFinished() {
    if (worker_.joinable()) worker_.join();
  }
  // The result, once finished() (a cancelled search's is marked so); null before.
  const SearchResult* result() const { return finished() ? &result_ : nullptr; }

 private:
  SearchControl control_;
  SearchResult result_;
  std::atomic<bool> finished_{false};
  std::thread worker_;
};

}  // namespace glyphverse
