#include "keep/shelf_store.h"

#include <gtest/gtest.h>

#include "keep/store_worker.h"
#include "tests/keep/memory_shelf.h"

namespace glyphverse {
namespace {

struct Shelved : testing::Test {
  MemoryShelf shelf;
  std::int64_t nextId = 100;
  std::unique_ptr<Store> store = makeShelfStore(shelf, [this] { return nextId++; });
};

TEST_F(Shelved, BookmarksNewestFirstAndRemovedByTheirIds) {
  ASSERT_TRUE(store->addBookmark(galaxyPlace(73, 2), "Geltayf 5", 1000).ok());
  const auto second = store->addBookmark(Place{SYSTEM_LEVEL, {40, 2}, {4, 7}}, "Zohkev", 2000);
  ASSERT_TRUE(second.ok());
  auto list = store->bookmarks();
  ASSERT_EQ(list.value->size(), 2u);
  EXPECT_EQ((*list.value)[0].name, "Zohkev");
  EXPECT_EQ((*list.value)[0].place, (Place{SYSTEM_LEVEL, {40, 2}, {4, 7}}));
  EXPECT_TRUE(*store->removeBookmark(second.value->id).value);
  EXPECT_FALSE(*store->removeBookmark(second.value->id).value);
  EXPECT_EQ(store->bookmarks().value->size(), 1u);
}

TEST_F(Shelved, FirstVisitsAreTheFirstToALevelOfASystem) {
  const VisitRecord visit{1000, Place{SYSTEM_LEVEL, {73, 2}, {0, 0}}, "Geltayf 5", 0, 1, 161};
  EXPECT_TRUE(*store->recordVisit(visit).value);
  EXPECT_FALSE(*store->recordVisit(visit).value);
  VisitRecord landed = visit;
  landed.place.viewLevel = PLANET_LEVEL;
  EXPECT_TRUE(*store->recordVisit(landed).value);
  const auto visits = store->latestVisits(2);
  ASSERT_EQ(visits.value->size(), 2u);
  EXPECT_EQ((*visits.value)[0].systemName, "Geltayf 5");
  EXPECT_EQ((*visits.value)[0].nebIntens, 161);
}

// What the store cannot read stays as it is and is listed as unreadable,
// to be removed; a refused write loses nothing saved; a place is kept once.
TEST_F(Shelved, UnreadableEntriesAreListedAndAFullShelfLosesNothing) {
  ASSERT_TRUE(store->addBookmark(galaxyPlace(1, 2), "kept", 1000).ok());
  const auto again = store->addBookmark(galaxyPlace(1, 2), "twice", 1500);
  ASSERT_TRUE(again.ok());
  EXPECT_TRUE(again.value->alreadyKept);
  EXPECT_EQ(again.value->name, "kept");
  shelf.values["glyphverse.bookmark.7"] = "not a bookmark";
  shelf.values["glyphverse.bookmark.x"] = "1\t2/1/1\tbad id";
  auto listed = store->bookmarks();
  ASSERT_EQ(listed.value->size(), 2u);
  EXPECT_NE(listed.value->back().unreadable.find("not a bookmark"), std::string::npos);
  shelf.full = true;
  const auto refused = store->addBookmark(galaxyPlace(3, 4), "lost", 2000);
  EXPECT_FALSE(refused.ok());
  EXPECT_EQ(refused.error, "the quota is full");
  EXPECT_FALSE(store->saveLastPlace(galaxyPlace(3, 4)).ok());
  EXPECT_EQ(store->bookmarks().value->size(), 2u);
  EXPECT_EQ(shelf.values["glyphverse.bookmark.7"], "not a bookmark");
  EXPECT_TRUE(*store->removeBookmark(7).value);
}

// Where there are no threads, the work runs at once and its answer still
// arrives with deliver(), as on the desktop.
TEST(StoreWorkerOnTheCallersThread, AnswersArriveWithDeliver) {
  MemoryShelf shelf;
  std::int64_t id = 1;
  StoreWorker keep(
      [&] {
        return OpenedStore{makeShelfStore(shelf, [&] { return id++; }), ""};
      },
      StoreWorker::Runs::onTheCallersThread);
  std::optional<std::string> saved;
  keep.request<SavedBookmark>(
      [](Store& store) { return store.addBookmark(galaxyPlace(5, 6), "here", 1); },
      [&](Outcome<SavedBookmark> outcome) { saved = outcome.value->name; });
  EXPECT_FALSE(saved);
  EXPECT_EQ(keep.deliver(), 1);
  EXPECT_EQ(saved, "here");
  EXPECT_TRUE(
      keep.call<bool>([](Store& store) { return store.saveLastPlace(galaxyPlace(5, 6)); }).ok());
  EXPECT_EQ(shelf.values["glyphverse.lastPlace"], "2/5/6");
  keep.finish();
  EXPECT_FALSE(keep.call<bool>([](Store& store) { return store.saveLastPlace({}); }).ok());
}

}  // namespace
}  // namespace glyphverse
