// The hunt's threads: a tile on several threads, and a whole hunt with its
// worker and the catalogue's writer, for ThreadSanitizer to watch.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <tuple>

#include "keep/catalogue.h"
#include "tools/hunt/hunt_run.h"
#include "tools/hunt/tile_hunt.h"

namespace glyphverse {
namespace {

StarFilter filterOf(const char* text) {
  return readSearchTerms(text).terms->filter;
}

TEST(HuntThreads, TileIsTheSameOnAnyNumberOfThreads) {
  const StarPresence presence;
  const StarFilter filter = filterOf("planets>=6");
  const CellRect tile{16777000, 300, 400, 100};
  WorkerPool onePool(1);
  WorkerPool threePool(3);
  const HuntOutcome one = huntTile(presence, filter, tile, onePool);
  const HuntOutcome three = huntTile(presence, filter, tile, threePool);
  EXPECT_EQ(three.census, one.census);
  EXPECT_EQ(one.census.cells, 40000);
  ASSERT_FALSE(one.systems.empty());
  auto sorted = [](std::vector<HuntedSystem> systems) {
    std::sort(systems.begin(), systems.end(), [](const auto& a, const auto& b) {
      return std::tie(a.cell.y, a.cell.x) < std::tie(b.cell.y, b.cell.x);
    });
    return systems;
  };
  EXPECT_EQ(sorted(three.systems), sorted(one.systems));
}

TEST(HuntThreads, WholeHuntRecordsEveryTile) {
  char folder[] = "/tmp/hunt-test-XXXXXX";
  ASSERT_NE(::mkdtemp(folder), nullptr);
  const std::string path = std::string(folder) + "/c.db";
  const HuntSetup setup{TilePlan{CellRect{100, 100, 300, 200}, 64}, filterOf("stars>=2"), 2, false};
  std::string error;
  auto writer = CatalogueWriter::open(path, {setup.plan.region, 64, "stars>=2"}, error);
  ASSERT_NE(writer, nullptr) << error;
  int argc = 0;
  char** argv = nullptr;
  Ranks ranks(argc, argv);
  EXPECT_EQ(coordinateHunt(setup, writer.get(), ranks), "");
  const CatalogueReading reading = readCatalogue(path);
  ASSERT_NE(reading.contents, nullptr) << reading.error;
  EXPECT_EQ(reading.contents->tilesDone, setup.plan.tileCount());
  EXPECT_EQ(reading.contents->census.cells, 300 * 200);
  writer.reset();
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace glyphverse
