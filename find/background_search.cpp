#include "find/background_search.h"

#include <exception>

namespace glyphverse {

BackgroundSearch::BackgroundSearch(const SearchRequest& request, int threads)
    : worker_([this, request, threads] {
        try {
          result_ = findStars(request, control_, threads);
        } catch (const std::exception&) {  // out of memory: nothing found, and said so
          result_ = SearchResult{};
          result_.cancelled = true;
        }
        finished_.store(true, std::memory_order_release);
      }) {}

BackgroundSearch::~BackgroundSearch() {
  control_.cancel();
  worker_.join();
}

}  // namespace glyphverse
