#include "keep/store_worker.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "keep/sqlite_store.h"
#include "tests/keep/keep_fixture.h"

namespace glyphverse {
namespace {

using Clock = std::chrono::steady_clock;

// Calls deliver() as a frame loop would until `done` holds (at most 10 s).
template <typename Done>
void framesUntil(StoreWorker& worker, Done done) {
  const auto end = Clock::now() + std::chrono::seconds(10);
  while (!done() && Clock::now() < end) {
    worker.deliver();
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

// While another program holds the write lock, a frame's deliver() returns at
// once; the bookmark is saved, in order, once the lock is let go, and its
// result arrives on the frame's thread.
TEST(StoreWorker, FramesNeverWaitForTheDatabase) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  ASSERT_TRUE(openSqliteStore(path).store);
  RawDatabase other(path);
  ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));

  StoreWorker worker([&] { return openSqliteStore(path); });
  std::vector<std::string> events;
  std::thread::id deliveredOn;
  worker.request<SavedBookmark>(
      [](Store& store) { return store.addBookmark(galaxyPlace(5, 6), "Here", 1); },
      [&](Outcome<SavedBookmark> saved) {
        events.push_back(saved.ok() ? "saved" : saved.error);
        deliveredOn = std::this_thread::get_id();
      });
  worker.request<std::vector<Bookmark>>(
      [](Store& store) { return store.bookmarks(); },
      [&](Outcome<std::vector<Bookmark>> list) {
        events.push_back(list.ok() ? std::to_string(list.value->size()) : list.error);
      });
  for (int frame = 0; frame < 20; ++frame) {
    const auto start = Clock::now();
    EXPECT_EQ(worker.deliver(), 0);
    EXPECT_LT(Clock::now() - start, std::chrono::milliseconds(50));
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  other.exec("COMMIT");
  framesUntil(worker, [&] { return events.size() == 2; });
  EXPECT_EQ(events, (std::vector<std::string>{"saved", "1"}));
  EXPECT_EQ(deliveredOn, std::this_thread::get_id());
  EXPECT_FALSE(worker.takeOpenFailure());
}

// A store that cannot be opened: its reason is there once for the bottom
// row, and every request gets it. No store asked for: no message at all;
// after finish() requests are answered that the store is closed.
TEST(StoreWorker, WithoutAStoreEveryRequestSaysWhy) {
  StoreWorker failed([] { return OpenedStore{nullptr, "/x/glyphverse.db is damaged"}; });
  std::string answer;
  failed.request<bool>([](Store& store) { return store.saveLastPlace(galaxyPlace(1, 1)); },
                       [&](Outcome<bool> saved) { answer = saved.error; });
  framesUntil(failed, [&] { return !answer.empty(); });
  EXPECT_EQ(answer, "no bookmarks: /x/glyphverse.db is damaged");
  EXPECT_EQ(failed.takeOpenFailure(), std::optional<std::string>("/x/glyphverse.db is damaged"));
  EXPECT_FALSE(failed.takeOpenFailure());

  StoreWorker off([] { return OpenedStore{}; });
  const auto ask = [&off] {
    return off.call<bool>([](Store&) { return Outcome<bool>::success(true); }).error;
  };
  EXPECT_EQ(ask(), "no bookmarks: the database is off in this run");
  EXPECT_FALSE(off.takeOpenFailure());
  off.finish();
  EXPECT_EQ(ask(), "no bookmarks: the database is closed");
}

}  // namespace
}  // namespace glyphverse
