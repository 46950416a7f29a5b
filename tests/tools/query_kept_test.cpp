// glyphverse-query --bookmarks and --log, run as a program on a database
// that the store wrote, while another explorer is in the middle of a change.

#include <gtest/gtest.h>

#include <cstdio>

#include "tests/keep/keep_fixture.h"

namespace glyphverse {
namespace {

struct QueryRun {
  std::string out;
  int status = -1;
};

QueryRun query(const std::string& arguments) {
  QueryRun run;
  // Appended a piece at a time: GCC 12 at -O2 warns wrongly about the
  // temporaries of a + b + c (its bug 105329).
  std::string command = GLYPHVERSE_QUERY;
  command.append(" ").append(arguments).append(" 2>&1");
  std::FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    run.out.append(buffer, n);
  const int status = ::pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

TEST(QueryKept, PrintsBookmarksAndTheLogWhileAnotherExplorerWrites) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  {
    OpenedStore opened = openSqliteStore(path);
    ASSERT_TRUE(opened.store) << opened.error;
    ASSERT_TRUE(opened.store->addBookmark(galaxyPlace(1100, 2100), "Home", 0).ok());
    ASSERT_TRUE(opened.store->addBookmark(Place{3, {27, 2}, {4, 7}}, "Caf\x82\tbar", 200).ok());
    VisitRecord visit{86400, Place{3, {27, 2}, {0, 0}}, "Eakra", 2, 7, 161};
    ASSERT_TRUE(opened.store->recordVisit(visit).ok());
    ASSERT_TRUE(opened.store->recordVisit(visit).ok());
  }
  RawDatabase writer(path);
  ASSERT_TRUE(writer.exec("BEGIN IMMEDIATE; DELETE FROM bookmarks"));  // not committed

  const QueryRun bookmarks = query("--bookmarks --database " + path);
  EXPECT_EQ(bookmarks.status, 0) << bookmarks.out;
  EXPECT_EQ(bookmarks.out,
            "2\t3/27/2/4/7\tglyphverse:3/27/2/4/7\tCaf\\x82\\x09bar\t1970-01-01T00:03:20Z\n"
            "1\t2/1100/2100\tglyphverse:2/1100/2100\tHome\t1970-01-01T00:00:00Z\n");
  const QueryRun json = query("--bookmarks --json --database " + path);
  EXPECT_EQ(json.out.substr(0, json.out.find('\n')),
            R"({"id":2,"place":"3/27/2/4/7","link":"glyphverse:3/27/2/4/7",)"
            R"("name":"Café\u0009bar","savedAt":"1970-01-01T00:03:20Z"})");
  const QueryRun log = query("--log --json --database " + path);
  EXPECT_EQ(log.status, 0) << log.out;
  EXPECT_EQ(log.out, R"({"time":"1970-01-02T00:00:00Z","place":"3/27/2/0/0","systemName":"Eakra",)"
                     R"("starCount":2,"planetCount":7,"nebIntens":161,"firstVisit":false})"
                     "\n"
                     R"({"time":"1970-01-02T00:00:00Z","place":"3/27/2/0/0","systemName":"Eakra",)"
                     R"("starCount":2,"planetCount":7,"nebIntens":161,"firstVisit":true})"
                     "\n");
  writer.exec("ROLLBACK");
}

// A database that is missing or cannot be read is a clear error and status
// 2, and is neither made nor touched.
TEST(QueryKept, AMissingOrUnreadableDatabaseIsAnError) {
  TempFolder folder;
  const std::string missing = folder.file("none.db");
  const QueryRun absent = query("--log --database " + missing);
  EXPECT_EQ(absent.status, 2);
  EXPECT_NE(absent.out.find(missing + " does not exist"), std::string::npos) << absent.out;
  EXPECT_NE(::access(missing.c_str(), F_OK), 0);

  const std::string notes = folder.file("notes.db");
  std::ofstream(notes) << "not a database at all, but notes";
  const QueryRun text = query("--bookmarks --database " + notes);
  EXPECT_EQ(text.status, 2);
  EXPECT_NE(text.out.find("is not a database"), std::string::npos) << text.out;
  EXPECT_EQ(fileBytes(notes), "not a database at all, but notes");

  EXPECT_EQ(query("--json galaxy 1 1").status, 2);
  EXPECT_EQ(query("--bookmarks --log").status, 2);
}

// A bookmark whose place cannot be read (another program's, or a level
// deeper than places go) is not left out in silence: the store lists it
// with the reason, to be removed; the query tool prints the others, names
// it on standard error, and ends with status 2.
TEST(QueryKept, UnreadableRowsAreListedNotSkipped) {
  TempFolder folder;
  const std::string path = folder.file("glyphverse.db");
  OpenedStore opened = openSqliteStore(path);
  ASSERT_TRUE(opened.store) << opened.error;
  ASSERT_TRUE(opened.store->addBookmark(galaxyPlace(1, 2), "fine", 1).ok());
  ASSERT_TRUE(RawDatabase(path).exec(
      "INSERT INTO bookmarks (place, name, saved_at) VALUES ('1048577/5/5/1/1', 'deep', 2)"));
  const auto page = opened.store->bookmarkPage(0, 10);
  ASSERT_TRUE(page.ok()) << page.error;
  ASSERT_EQ(page.value->total, 2u);
  EXPECT_NE(page.value->rows.front().unreadable.find("1048577/5/5/1/1"), std::string::npos);

  const QueryRun run = query("--bookmarks --database " + path);
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.out.find("\tfine\t"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("bookmark 2: the place kept, '1048577/5/5/1/1'"), std::string::npos)
      << run.out;
  EXPECT_TRUE(*opened.store->removeBookmark(2).value);
  EXPECT_EQ(opened.store->bookmarkPage(0, 10).value->total, 1u);
}

}  // namespace
}  // namespace glyphverse
