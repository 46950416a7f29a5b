// A database the store cannot use is never deleted, converted or written:
// opening fails with one line that names the file and says why, and the file
// keeps every byte. A full disk or a read-only folder loses nothing saved.

#include <gtest/gtest.h>
#include <sys/mount.h>
#include <sys/stat.h>

#include <sched.h>

#include <cstdio>
#include <set>

#include "keep/sqlite_store.h"
#include "tests/keep/keep_fixture.h"

namespace glyphverse {
namespace {

// A database of ours with a few pages of bookmarks, closed (its WAL folded in).
void makeStore(const std::string& path, int bookmarks) {
  OpenedStore opened = openSqliteStore(path);
  ASSERT_TRUE(opened.store) << opened.error;
  for (int i = 0; i < bookmarks; ++i) {
    ASSERT_TRUE(opened.store->addBookmark(somePlace(i), std::string(100, 'n'), i).ok());
  }
}

void overwrite(const std::string& path, long offset, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "r+b");
  std::fseek(file, offset, SEEK_SET);
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

TEST(UnusableFiles, AreLeftByteForByteWithTheReason) {
  TempFolder folder;
  struct Case {
    const char* name;
    std::function<void(const std::string&)> make;
    const char* reason;
  };
  const Case cases[] = {
      {"text", [](const std::string& p) { std::ofstream(p) << "my notes, not a database\n"; },
       "is not a database"},
      {"damaged",
       [](const std::string& p) {
         makeStore(p, 200);
         overwrite(p, 2 * 4096, std::string(16, '\xff'));
       },
       "is damaged"},
      {"newer",
       [](const std::string& p) {
         makeStore(p, 3);
         RawDatabase(p).exec("PRAGMA user_version = 2");
       },
       "newer glyphverse"},
      {"foreign", [](const std::string& p) { RawDatabase(p).exec("CREATE TABLE notes (t)"); },
       "not a glyphverse database"},
  };
  for (const Case& c : cases) {
    const std::string path = folder.file(c.name);
    c.make(path);
    const std::string before = fileBytes(path);
    const OpenedStore opened = openSqliteStore(path);
    EXPECT_FALSE(opened.store) << c.name;
    EXPECT_NE(opened.error.find(path + " "), std::string::npos) << opened.error;
    EXPECT_NE(opened.error.find(c.reason), std::string::npos) << opened.error;
    EXPECT_EQ(opened.error.find('\n'), std::string::npos) << opened.error;
    EXPECT_EQ(fileBytes(path), before) << c.name;
    // Nor is anything left beside it.
    for (const char* beside : {"-wal", "-shm", "-journal"}) {
      EXPECT_NE(::access((path + beside).c_str(), F_OK), 0) << c.name << beside;
    }
  }
}

// Another program holding the database: the open gives up after the busy
// timeout, says so, and leaves the file alone; afterwards it opens.
TEST(UnusableFiles, ALockedDatabaseIsSaidToBeLocked) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  makeStore(path, 3);
  const std::string before = fileBytes(path);
  {
    RawDatabase holder(path);
    ASSERT_TRUE(holder.exec("PRAGMA locking_mode = EXCLUSIVE; BEGIN EXCLUSIVE"));
    const OpenedStore opened = openSqliteStore(path, StoreOptions{false, 100});
    EXPECT_FALSE(opened.store);
    EXPECT_EQ(opened.error, path + " is locked by another program");
    EXPECT_EQ(fileBytes(path), before);
    holder.exec("ROLLBACK");
  }
  EXPECT_TRUE(openSqliteStore(path).store);
}

// Root reads and writes whatever the permissions say: the permission checks
// run as "nobody" in a child process.
int asUnprivileged(const std::string& folder, const std::function<int()>& body) {
  return inChild([&] {
    if (::geteuid() == 0) {
      if (std::system(("chown -R 65534:65534 '" + folder + "'").c_str()) != 0) return 20;
      if (::setgid(65534) != 0 || ::setuid(65534) != 0) return 21;
    }
    return body();
  });
}

TEST(UnusableFiles, UnreadableOrReadOnlyKeepsWhatWasSavedAndSaysWhy) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  const int status = asUnprivileged(folder.path(), [&] {
    makeStore(path, 5);
    // Unreadable: refused with the system's reason.
    ::chmod(path.c_str(), 0);
    const OpenedStore unreadable = openSqliteStore(path);
    if (unreadable.store || unreadable.error.find("Permission denied") == std::string::npos) {
      std::fprintf(stderr, "an unreadable database: '%s'\n", unreadable.error.c_str());
      return 4;
    }
    ::chmod(path.c_str(), 0400);
    ::chmod(folder.path().c_str(), 0500);
    {
      // A WAL database in a folder that may not be written: what it keeps
      // can still be read, and each write says why it cannot be made.
      OpenedStore opened = openSqliteStore(path);
      if (!opened.store) {
        std::fprintf(stderr, "a read-only database: '%s'\n", opened.error.c_str());
        return 2;
      }
      const auto listed = opened.store->bookmarks();
      if (!listed.ok() || listed.value->size() != 5) return 5;
      const auto saved = opened.store->addBookmark(galaxyPlace(1, 1), "new", 1);
      if (saved.ok() || saved.error.find("readonly") == std::string::npos) {
        std::fprintf(stderr, "write to a read-only database: '%s'\n", saved.error.c_str());
        return 1;
      }
    }
    ::chmod(folder.path().c_str(), 0700);
    ::chmod(path.c_str(), 0600);
    OpenedStore again = openSqliteStore(path);
    return again.store && again.store->bookmarks().value->size() == 5 ? 0 : 3;
  });
  EXPECT_EQ(status, 0);
}

// A disk that fills up: the write that does not fit fails with the reason,
// and everything saved before it is still there, then and once space is
// free again. Needs a small tmpfs of its own, so root.
TEST(UnusableFiles, AFullDiskKeepsWhatWasSaved) {
  if (::geteuid() != 0) GTEST_SKIP() << "mounting a small tmpfs needs root";
  TempFolder folder;
  const int status = inChild([&] {
    if (::unshare(CLONE_NEWNS) != 0 ||
        ::mount("none", "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
        ::mount("tmpfs", folder.path().c_str(), "tmpfs", 0, "size=400k") != 0) {
      return 77;
    }
    const std::string path = folder.file("glyphverse.db");
    std::set<std::string> saved;
    std::string failure;
    {
      OpenedStore opened = openSqliteStore(path);
      if (!opened.store) return 1;
      for (int i = 0; failure.empty() && i < 100000; ++i) {
        const std::string name = std::to_string(i) + std::string(1000, 'x');
        const auto result = opened.store->addBookmark(somePlace(i), name, i);
        if (result.ok())
          saved.insert(name);
        else
          failure = result.error;
      }
    }
    if (failure.find("full") == std::string::npos) {
      std::fprintf(stderr, "the failed write said '%s'\n", failure.c_str());
      return 2;
    }
    OpenedStore again = openSqliteStore(path);
    if (!again.store) {
      std::fprintf(stderr, "reopening a full disk's database: %s\n", again.error.c_str());
      return 3;
    }
    const auto listed = again.store->bookmarks();
    if (!listed.ok()) {
      std::fprintf(stderr, "listing a full disk's bookmarks: %s\n", listed.error.c_str());
      return 4;
    }
    std::set<std::string> kept;
    for (const Bookmark& b : *listed.value) kept.insert(b.name);
    return kept == saved && saved.size() > 10 ? 0 : 5;
  });
  if (status == 77) GTEST_SKIP() << "no tmpfs could be mounted here";
  EXPECT_EQ(status, 0);
}

}  // namespace
}  // namespace glyphverse
