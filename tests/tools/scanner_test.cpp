// The scanner, driven through the snapshot tool as a person would drive it.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/scanner.h"
#include "gen/cells.h"
#include "render/level_blocks.h"
#include "tools/snapshot/arguments.h"
#include "tools/snapshot/snapshot.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

SnapshotResult snapshot(const std::string& start, const std::string& script) {
  return runSnapshot(
      parseSnapshotCommand({"--start", start, "--script", script, "--out", "x.png"}).options);
}

// Open, steer and close: the explorer stands where the crosshair was, with
// the same state and the same picture as one that started there.
TEST(Scanner, ClosingItIsAsIfTheExplorerHadWalkedThere) {
  const SnapshotResult scanned = snapshot("10,10",
                                          "wait 30; type m; wait 1; hold right 5; "
                                          "hold up+shift 6; type m; wait 3");
  const SnapshotResult walked = snapshot("50,9", "wait 45");
  EXPECT_EQ(scanned.state.x, 10 + 5 * Scanner::STEP_PIXELS);
  EXPECT_EQ(scanned.state.y, 9);  // Shift: one cell a step, at its slower pace
  EXPECT_EQ(scanned.state.viewLevel, walked.state.viewLevel);
  EXPECT_EQ(scanned.state.tables, walked.state.tables);
  EXPECT_EQ(scanned.frame.pixels, walked.frame.pixels);

  // Inside a system the system and its tables stay as they were.
  const SnapshotResult inSystem = snapshot(
      "40,2", "wait 30; hold space 1; wait 2; type m; wait 1; hold left 3; type m; wait 1");
  EXPECT_EQ(inSystem.state.viewLevel, SYSTEM_LEVEL);
  EXPECT_EQ(inSystem.state.x, wrapCoordinate(-3 * Scanner::STEP_PIXELS));
  EXPECT_EQ(inSystem.state.system.seed, cellSeed(40, 2));
  EXPECT_EQ(inSystem.state.tables, noiseTablesFor(cellSeed(40, 2)));

  // Esc in the prompt closes only the prompt; outside it, Esc quits as always.
  const SnapshotResult prompt =
      snapshot("10,10", "type m; wait 1; type g; wait 1; type esc; wait 2");
  EXPECT_FALSE(prompt.ended);
  EXPECT_TRUE(prompt.scannerOpen);
  EXPECT_TRUE(snapshot("10,10", "type m; wait 1; type esc; wait 2").ended);

  // Negative numbers go where they wrap to; what cannot be used keeps the
  // prompt open (Esc then closes only it) with a hint drawn beside it.
  const SnapshotResult negative =
      snapshot("10,10", "type m; wait 1; type g; wait 1; text -5 -7; type enter; wait 2");
  EXPECT_EQ(negative.scannerX, wrapCoordinate(-5));
  EXPECT_EQ(negative.scannerY, wrapCoordinate(-7));
  const std::string typedOne = "type m; wait 1; type g; wait 1; text -5; ";
  const SnapshotResult refused = snapshot("10,10", typedOne + "type enter; wait 2");
  EXPECT_EQ(refused.scannerX, 10);
  EXPECT_NE(refused.frame.pixels, snapshot("10,10", typedOne + "wait 3").frame.pixels);
  EXPECT_FALSE(snapshot("10,10", typedOne + "type enter; wait 1; type esc; wait 2").ended);
}

// Every pixel but the overlay (text display, outline, crosshair) is its
// cell's block colour, the poster's look, from the per-cell generators: on
// each level, zoomed, after pans across the world's edge and a typed jump.
TEST(Scanner, PixelsAreTheCellsBlockColours) {
  struct Case {
    std::string start;
    std::string script;
    int zoom;
    std::int32_t x;  // where the crosshair ends
    std::int32_t y;
  };
  constexpr int STEP = Scanner::STEP_PIXELS;
  const Case cases[] = {
      {"3,2", "wait 30; type m; wait 2", 1, 3, 2},
      {"3,2", "wait 30; type m; wait 1; hold left+up 3; hold right 1; type +; wait 2", 2,
       wrapCoordinate(3 - 2 * STEP), wrapCoordinate(2 - 3 * STEP)},
      {"40,2",
       "wait 30; hold space 1; wait 1; type m; wait 1; type +; wait 1; type +; wait 1; "
       "hold down 4",
       4, 0, 4 * (STEP / 4)},
      {"40,2",
       "wait 30; hold space 1; wait 30; hold space 1; wait 1; type m; wait 1; "
       "type g; type 1; type 6; type 7; type 7; type 7; type 2; type 1; type 5; "
       "type space; type 9; type enter; wait 13",
       1, 16777215 % WORLD_SIZE, 9},
  };
  for (const Case& c : cases) {
    const SnapshotResult r = snapshot(c.start, c.script);
    ASSERT_TRUE(r.scannerOpen) << c.script;
    EXPECT_EQ(r.scannerZoom, c.zoom) << c.script;
    EXPECT_EQ(r.scannerX, c.x) << c.script;
    EXPECT_EQ(r.scannerY, c.y) << c.script;
    const ViewState& s = r.state;
    const Image& page = r.frame;
    // The crosshair's cell sits in the middle of the page.
    const std::int64_t left = std::int64_t{r.scannerX} - page.width / c.zoom / 2;
    const std::int64_t top = std::int64_t{r.scannerY} - page.height / c.zoom / 2;
    int wrong = 0;
    int compared = 0;
    for (int py = 48; py < page.height; py += 5) {
      for (int px = 0; px < page.width; px += 3) {
        const int i = px / c.zoom;
        const int j = py / c.zoom;
        const Color shown = page.at(px, py);
        if (shown == CROSSHAIR_COLOR || shown == MAP_OUTLINE_COLOR) continue;
        const CellContent cell = cellAt(s.tables, s.viewLevel, s.system, wrapCoordinate(left + i),
                                        wrapCoordinate(top + j));
        wrong += rgbOf(shown) != rgbOf(blockColor(cell));
        ++compared;
      }
    }
    EXPECT_GT(compared, 10000) << c.script;
    EXPECT_EQ(wrong, 0) << c.script;
  }
}

// F1 shows the keys over the map; shown and hidden again, nothing is left.
TEST(HelpPanel, ShownAndHiddenAgainLeavesTheFrameAsItWas) {
  const SnapshotResult plain = snapshot("10,10", "wait 4");
  EXPECT_NE(snapshot("10,10", "type f1; wait 4").frame.pixels, plain.frame.pixels);
  EXPECT_EQ(snapshot("10,10", "type f1; wait 1; type f1; wait 3").frame.pixels, plain.frame.pixels);
}

}  // namespace
}  // namespace glyphverse
