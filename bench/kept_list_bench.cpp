// A frame with the bookmarks' list open, over a database of a hundred and of a
// million bookmarks: the list takes a page of rows from the store, so both
// cost the same, standing still or turning a page every frame.

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "app/explorer.h"
#include "display/headless_backend.h"
#include "keep/sqlite_store.h"

namespace glyphverse {
namespace {

// A database of `count` bookmarks, made with SQL in one transaction.
std::string databaseOf(std::int64_t count) {
  char folder[] = "/tmp/glyphverse-bench-XXXXXX";
  const std::string path = std::string(::mkdtemp(folder)) + "/glyphverse.db";
  openSqliteStore(path);  // the layout
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  const std::string rows =
      "BEGIN; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
      std::to_string(count) +
      ") INSERT INTO bookmarks (place, name, saved_at) "
      "SELECT '2/' || (i % 16777216) || '/' || (i / 16777216), 'Bookmark ' || i, i FROM n; COMMIT";
  sqlite3_exec(db, rows.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
  return path;
}

struct ExplorerWithBookmarks {
  std::string path;
  StoreWorker keep;
  ManualClock clock{0.0, 0.02};
  Display display{std::make_unique<HeadlessBackend>(&clock)};
  Explorer explorer;

  explicit ExplorerWithBookmarks(std::int64_t count)
      : path(databaseOf(count)),
        keep([this] { return openSqliteStore(path); }),
        explorer(display, galaxyPlace(40, 2), ExplorerServices{{}, &keep}) {
    display.keyboard().push(KeyCode::character('B'));
    waitForTheList();
  }
  ~ExplorerWithBookmarks() {
    keep.finish();
    std::system(("rm -rf '" + path.substr(0, path.rfind('/')) + "'").c_str());
  }

  // Frames until the list shows its first page.
  void waitForTheList() {
    for (int i = 0; i < 10000; ++i) {
      explorer.runFrame();
      for (const std::string& row : display.workFrame().textRows()) {
        if (row.find("None yet.") != std::string::npos || row.find(" of ") != std::string::npos)
          return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
  }
};

void BM_BookmarksListFrame(benchmark::State& run) {
  ExplorerWithBookmarks with(run.range(0));
  for (auto _ : run) benchmark::DoNotOptimize(with.explorer.runFrame());
}
BENCHMARK(BM_BookmarksListFrame)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

// Page Down every frame (Home at the end): each frame asks for a page the
// store has yet to read, and never waits for it.
void BM_BookmarksListTurningPages(benchmark::State& run) {
  ExplorerWithBookmarks with(run.range(0));
  int turns = 0;
  for (auto _ : run) {
    const bool back = ++turns % 1000 == 0;
    with.display.keyboard().push(KeyCode::specialKey(back ? KEY_HOME : KEY_PAGE_DOWN));
    benchmark::DoNotOptimize(with.explorer.runFrame());
  }
}
BENCHMARK(BM_BookmarksListTurningPages)->Arg(100)->Arg(1000000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphverse
