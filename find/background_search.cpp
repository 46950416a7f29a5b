#include "find/background_search.h"

#include <exception>
#include <system_error>

namespace glyphverse {

BackgroundSearch::BackgroundSearch(const SearchRequest& request, int threads, Runs runs) {
  if (runs == Runs::onTheCallersThread) threads = 1;  // findStars starts no helpers then
  auto search = [this, request, threads] {
    try {
      result_ = findStars(request, control_, threads);
    } catch (const std::exception&) {  // out of memory: nothing found, and incomplete
      result_ = SearchResult{};
      result_.cancelled = true;
    }
    finished_.store(true, std::memory_order_release);
  };
  if (runs == Runs::onTheCallersThread) {
    search();
    return;
  }
  try {
    worker_ = std::thread(search);
  } catch (const std::system_error&) {
    search();  // no thread to be had (a browser without them): search now
  }
}

BackgroundSearch::~BackgroundSearch() {
  control_.cancel();
  if (worker_.joinable()) worker_.join();
}

}  // namespace glyphverse
