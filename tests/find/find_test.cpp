// Searches on many threads: the one-thread answer whatever the split, and a
// cancel that stops them. Run under ThreadSanitizer too (the tsan preset):
// the threads share only the prepared scan, which they read, and the control.

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "find/background_search.h"
#include "find/find_stars.h"

namespace glyphverse {
namespace {

using std::chrono::steady_clock;

void expectSameResult(const SearchResult& got, const SearchResult& want) {
  EXPECT_EQ(got.nearest, want.nearest);
  EXPECT_EQ(got.matchCount, want.matchCount);
  EXPECT_EQ(got.starCount, want.starCount);
  EXPECT_EQ(got.cancelled, want.cancelled);
}

// Waits until `done` holds, for at most a minute.
template <typename Done>
bool waitFor(Done done) {
  const auto deadline = steady_clock::now() + std::chrono::minutes(1);
  while (!done()) {
    if (steady_clock::now() > deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

TEST(ParallelSearch, ManyThreadsGiveTheOneThreadAnswer) {
  const SearchRequest request{{16777000, 40}, 250, readSearchTerms("planets>=3").terms->filter};
  SearchControl alone;
  const SearchResult want = searchStars(request, alone);
  ASSERT_EQ(want.nearest.size(), static_cast<std::size_t>(MAX_SEARCH_RESULTS));
  EXPECT_EQ(alone.fractionDone(), 1.0);

  for (const int threads : {0, 2, 4}) {
    SearchControl control;
    expectSameResult(findStars(request, control, threads), want);
    EXPECT_EQ(control.fractionDone(), 1.0);
  }
  BackgroundSearch background(request, 2);
  ASSERT_TRUE(waitFor([&] { return background.finished(); }));
  expectSameResult(*background.result(), want);
}

TEST(ParallelSearch, CancellingStopsTheSearch) {
  const SearchRequest widest{{5, 5}, MAX_SEARCH_RADIUS, StarFilter{}};
  SearchControl cancelledFirst;
  cancelledFirst.cancel();
  const SearchResult nothing = findStars(widest, cancelledFirst);
  EXPECT_TRUE(nothing.cancelled);
  EXPECT_EQ(nothing.starCount, 0);

  BackgroundSearch running(widest);
  EXPECT_EQ(running.result(), nullptr);
  ASSERT_TRUE(waitFor([&] { return running.fractionDone() > 0.0; }));
  running.cancel();
  ASSERT_TRUE(waitFor([&] { return running.finished(); }));
  EXPECT_TRUE(running.result()->cancelled);
  EXPECT_LT(running.fractionDone(), 1.0);

  // Dropped while it runs: the search stops and its thread is joined.
  const auto start = steady_clock::now();
  { BackgroundSearch dropped(widest); }
  EXPECT_LT(steady_clock::now() - start, std::chrono::seconds(10));
}

}  // namespace
}  // namespace glyphverse
