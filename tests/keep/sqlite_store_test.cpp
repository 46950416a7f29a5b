#include "keep/sqlite_store.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <csignal>
#include <set>

#include "tests/keep/keep_fixture.h"

namespace glyphverse {
namespace {

TEST(SqliteStore, KeepsBookmarksVisitsAndTheLastPlaceAcrossRuns) {
  TempFolder folder;
  const std::string data = folder.file("share/glyphverse");
  const DatabaseChoice choice{data + "/glyphverse.db", false, true, ""};
  {
    OpenedStore opened = openChosenStore(choice);
    ASSERT_TRUE(opened.store) << opened.error;
    Store& store = *opened.store;
    const Place below{4, {1100, 2100}, {4, 7}};
    ASSERT_TRUE(store.lastPlace().ok());
    EXPECT_FALSE(store.lastPlace().value->has_value());
    const auto first = store.addBookmark(galaxyPlace(10, 10), "Home", 100);
    const auto second = store.addBookmark(below, "Rueshee 446", 200);
    ASSERT_TRUE(first.ok() && second.ok());
    EXPECT_EQ(second.value->place, below);

    auto visit = [](std::int32_t level, std::int32_t gx) {
      return VisitRecord{300, Place{level, {gx, 5}, {0, 0}}, "Eakra", 2, 7, 161};
    };
    EXPECT_EQ(store.recordVisit(visit(3, 27)).value, true);
    EXPECT_EQ(store.recordVisit(visit(4, 27)).value, true);  // its planet: a first too
    EXPECT_EQ(store.recordVisit(visit(3, 27)).value, false);
    EXPECT_EQ(store.removeBookmark(first.value->id).value, true);
    EXPECT_EQ(store.removeBookmark(first.value->id).value, false);
    EXPECT_TRUE(store.saveLastPlace(below).ok());
  }
  // Only the user may look into the data folder.
  struct stat info {};
  ASSERT_EQ(::stat(data.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);

  OpenedStore again = openChosenStore(choice);
  ASSERT_TRUE(again.store) << again.error;
  const auto bookmarks = again.store->bookmarks();
  ASSERT_TRUE(bookmarks.ok());
  ASSERT_EQ(bookmarks.value->size(), 1u);
  EXPECT_EQ(bookmarks.value->front().name, "Rueshee 446");
  EXPECT_EQ(bookmarks.value->front().savedAt, 200);
  const auto visits = again.store->latestVisits(2);
  ASSERT_TRUE(visits.ok());
  ASSERT_EQ(visits.value->size(), 2u);  // the newest first
  EXPECT_FALSE((*visits.value)[0].firstVisit);
  EXPECT_EQ((*visits.value)[1].place.viewLevel, 4);
  EXPECT_TRUE((*visits.value)[1].firstVisit);
  EXPECT_EQ((*visits.value)[1].systemName, "Eakra");
  EXPECT_EQ(again.store->latestVisits(-1).value->size(), 3u);
  EXPECT_EQ(again.store->lastPlace().value, std::optional<Place>(Place{4, {1100, 2100}, {4, 7}}));
}

// Two explorers, started together on a database that does not exist yet,
// each saving bookmarks as fast as it can: every one of both is kept.
TEST(SqliteStore, TwoProgramsAtOnceBothKeepEveryChange) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  constexpr int PER_CHILD = 60;
  int gate[2];
  ASSERT_EQ(::pipe(gate), 0);
  auto child = [&](char who) {
    return [&, who] {
      ::close(gate[1]);
      char ignored;
      (void)::read(gate[0], &ignored, 1);  // returns once the parent closes the gate
      OpenedStore opened = openSqliteStore(path);
      if (!opened.store) {
        std::fprintf(stderr, "%c: %s\n", who, opened.error.c_str());
        return 10;
      }
      // Places of their own: a place is bookmarked once.
      const int first = who == 'a' ? 0 : PER_CHILD;
      for (int i = 0; i < PER_CHILD; ++i) {
        const std::string name = std::string(1, who) + std::to_string(i);
        if (!opened.store->addBookmark(somePlace(first + i), name, i).ok()) return 11;
      }
      return 0;
    };
  };
  const pid_t first = ::fork();
  if (first == 0) ::_exit(child('a')());
  const pid_t second = ::fork();
  if (second == 0) ::_exit(child('b')());
  ::close(gate[0]);
  ::close(gate[1]);
  for (const pid_t pid : {first, second}) {
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "child status " << status;
  }
  OpenedStore opened = openSqliteStore(path);
  ASSERT_TRUE(opened.store) << opened.error;
  const auto bookmarks = opened.store->bookmarks();
  ASSERT_TRUE(bookmarks.ok());
  std::set<std::string> names;
  for (const Bookmark& b : *bookmarks.value) names.insert(b.name);
  EXPECT_EQ(names.size(), 2u * PER_CHILD);
  EXPECT_TRUE(names.count("a0") && names.count("b59"));
}

// A program killed at any moment loses nothing it had reported saved, and
// the database opens afterwards.
TEST(SqliteStore, KillNineLosesNothingAcknowledged) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  int acks[2];
  ASSERT_EQ(::pipe(acks), 0);
  const pid_t writer = ::fork();
  if (writer == 0) {
    ::close(acks[0]);
    OpenedStore opened = openSqliteStore(path);
    for (int i = 0; opened.store; ++i) {
      const auto saved = opened.store->addBookmark(somePlace(i), "b" + std::to_string(i), i);
      if (!saved.ok() || ::write(acks[1], &saved.value->id, sizeof(std::int64_t)) < 0) break;
    }
    ::_exit(1);
  }
  ::close(acks[1]);
  std::set<std::int64_t> acknowledged;
  std::int64_t id = 0;
  while (acknowledged.size() < 150 && ::read(acks[0], &id, sizeof id) == sizeof id) {
    acknowledged.insert(id);
  }
  ::kill(writer, SIGKILL);
  ::waitpid(writer, nullptr, 0);
  while (::read(acks[0], &id, sizeof id) == sizeof id) acknowledged.insert(id);
  ::close(acks[0]);
  ASSERT_GE(acknowledged.size(), 150u);

  OpenedStore opened = openSqliteStore(path);
  ASSERT_TRUE(opened.store) << opened.error;
  const auto bookmarks = opened.store->bookmarks();
  ASSERT_TRUE(bookmarks.ok()) << bookmarks.error;
  std::set<std::int64_t> kept;
  for (const Bookmark& b : *bookmarks.value) kept.insert(b.id);
  for (const std::int64_t saved : acknowledged) EXPECT_TRUE(kept.count(saved)) << "lost " << saved;
}

}  // namespace
}  // namespace glyphverse

namespace glyphverse {
namespace {

// A write refused while another program holds the write lock says why, in
// SQLite's words, whichever change it was; a place is bookmarked once.
TEST(SqliteStore, ARefusedWriteSaysWhyAndAPlaceIsKeptOnce) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  OpenedStore opened = openSqliteStore(path, StoreOptions{false, 50});
  ASSERT_TRUE(opened.store) << opened.error;
  const auto first = opened.store->addBookmark(galaxyPlace(7, 8), "Home", 1);
  const auto again = opened.store->addBookmark(galaxyPlace(7, 8), "Home again", 2);
  ASSERT_TRUE(first.ok() && again.ok());
  EXPECT_FALSE(first.value->alreadyKept);
  EXPECT_TRUE(again.value->alreadyKept);
  EXPECT_EQ(again.value->id, first.value->id);
  EXPECT_EQ(opened.store->bookmarks().value->size(), 1u);

  RawDatabase other(path);
  ASSERT_TRUE(other.exec("BEGIN IMMEDIATE"));
  const std::string refusals[] = {
      opened.store->addBookmark(galaxyPlace(1, 2), "new", 3).error,
      opened.store->removeBookmark(first.value->id).error,
      opened.store->recordVisit(VisitRecord{4, Place{3, {1, 2}, {0, 0}}, "Eakra", 1, 2, 3}).error,
      opened.store->saveLastPlace(galaxyPlace(1, 2)).error};
  for (const std::string& refusal : refusals) {
    EXPECT_NE(refusal.find("database is locked"), std::string::npos) << refusal;
  }
}

}  // namespace
}  // namespace glyphverse
