#include "app/explorer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "app/text_display.h"
#include "gen/names.h"
#include "gen/places.h"
#include "keep/store_worker.h"
#include "render/map_view.h"
#include "tests/display/display_fixture.h"
#include "tests/keep/memory_shelf.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr int TEXT_AREA_ROWS = 6 * 8;  // the name line and the text display

// The text area as the explorer's page should show it: the given lines
// printed in the text colour on a cleared page.
std::vector<Color> expectedTextArea(const std::vector<std::string>& lines,
                                    const std::string& name = "") {
  HeadlessDisplay h;
  h.display.setTextColor(TEXT_COLOR);
  if (!name.empty()) {
    h.display.locateText(1, 20);
    h.display.printText(name, true);
  }
  h.display.locateText(1, 1);
  for (const std::string& line : lines) h.display.printText(line, true);
  const auto& p = h.work().pixels;
  return {p.begin(), p.begin() + TEXT_AREA_ROWS * 600};
}

std::vector<Color> textArea(const Display& display, int page) {
  const auto& p = display.page(page).pixels;
  return {p.begin(), p.begin() + TEXT_AREA_ROWS * 600};
}

class ExplorerRun : public ::testing::Test {
 protected:
  HeadlessDisplay h{false};
  void SetUp() override { h.clock.secondsPerSleep = 0.25; }  // 4 frames a second
  bool frame(Explorer& explorer) { return explorer.runFrameAndSleep(); }
};

TEST_F(ExplorerRun, StartsOnTheGalaxyAtTenTen) {
  Explorer explorer(h.display);
  EXPECT_EQ(h.display.surface(), Surface::pages);
  EXPECT_EQ(explorer.state().x, 10);
  EXPECT_EQ(explorer.state().y, 10);
  EXPECT_EQ(explorer.state().viewLevel, GALAXY_LEVEL);
  EXPECT_EQ(explorer.state().system.nebIntens, 0);
  EXPECT_TRUE(explorer.state().system.name.empty());

  ASSERT_TRUE(frame(explorer));
  ASSERT_TRUE(frame(explorer));  // the second frame shows the first frame's rate
  EXPECT_EQ(
      textArea(h.display, explorer.lastDrawnPage()),
      expectedTextArea({"FPS: 4", "Coords: 10 10", " 167772170", "viewLevel: 2", "nebIntens:0"}));
}

TEST_F(ExplorerRun, FramesAlternatePagesAndShowTheFinishedOne) {
  Explorer explorer(h.display);
  frame(explorer);
  EXPECT_EQ(explorer.lastDrawnPage(), 0);
  frame(explorer);
  EXPECT_EQ(explorer.lastDrawnPage(), 1);
  EXPECT_EQ(h.display.workPage(), 1);
  EXPECT_EQ(h.display.visiblePage(), 0);  // the page drawn in the frame before
}

TEST_F(ExplorerRun, NameLineShowsWhileStandingOnAStar) {
  Explorer explorer(h.display, galaxyPlace(1, 0));  // a star stands at (1, 0)
  frame(explorer);
  frame(explorer);
  ASSERT_FALSE(isEmpty(explorer.map().foreground[mapIndex(0, 0)]));
  EXPECT_EQ(textArea(h.display, explorer.lastDrawnPage()),
            expectedTextArea({"FPS: 4", "Coords: 1 0", " 1", "viewLevel: 2", "nebIntens:0"},
                             generateName(cellSeed(1, 0))));

  h.display.keyboard().setDown(SCAN_RIGHT, true);  // (2, 0) holds no star
  frame(explorer);
  ASSERT_EQ(explorer.state().x, 2);
  ASSERT_TRUE(isEmpty(explorer.map().foreground[mapIndex(0, 0)]));
  EXPECT_EQ(textArea(h.display, explorer.lastDrawnPage()),
            expectedTextArea({"FPS: 4", "Coords: 2 0", " 2", "viewLevel: 2", "nebIntens:0"}));
}

TEST_F(ExplorerRun, EnteringASystemShowsLocalCoordinatesAndItsIntensity) {
  Explorer explorer(h.display);
  frame(explorer);
  frame(explorer);
  frame(explorer);  // 0.5 s have passed: the level gate opens strictly after
  h.display.keyboard().setDown(SCAN_SPACE, true);
  frame(explorer);
  ASSERT_EQ(explorer.state().viewLevel, SYSTEM_LEVEL);
  EXPECT_EQ(explorer.state().system.nebIntens, 14);
  EXPECT_EQ(textArea(h.display, explorer.lastDrawnPage()),
            expectedTextArea({"FPS: 4", "Coords: 0 0", " 0", "viewLevel: 3", "nebIntens:14"}));
  // The map was replaced in the same frame: the system background, no stars.
  EXPECT_FALSE(explorer.map().rebuildAll);
  EXPECT_FALSE(explorer.state().changed);
  EXPECT_TRUE(isEmpty(explorer.map().foreground[mapIndex(0, 0)]));
  EXPECT_FALSE(isEmpty(explorer.map().background[mapIndex(0, 0)]));
}

TEST_F(ExplorerRun, OneQueuedKeyIsReadPerFrameAndOnlyEscEnds) {
  Explorer explorer(h.display);
  Keyboard& keys = h.display.keyboard();
  keys.push(KeyCode::specialKey(KEY_UP));
  keys.push(KeyCode::specialKey(KEY_CLOSE));  // the close button does not end the program
  keys.push(KeyCode::character('x'));
  keys.push(KeyCode::character(CHAR_ESC));
  EXPECT_TRUE(frame(explorer));
  EXPECT_TRUE(frame(explorer));
  EXPECT_TRUE(frame(explorer));
  EXPECT_FALSE(frame(explorer));
}

// F12 works in the scanner as on the map; presses made while a picture is
// written wait their turn, a key's automatic repeat takes none, and no
// picture carries the messages F12 shows.
TEST_F(ExplorerRun, EveryF12PressIsSavedOnceWithoutItsMessage) {
  char pattern[] = "/tmp/glyphverse-pictures-XXXXXX";
  const std::string folder = ::mkdtemp(pattern);
  ::setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
  std::mutex lock;
  std::condition_variable changed;
  bool diskFree = false;
  std::vector<std::pair<std::string, Image>> saved;
  ExplorerServices services;
  services.savePicture = [&](const std::string& path, const Image& image, const Place&) {
    std::unique_lock<std::mutex> held(lock);
    changed.wait(held, [&] { return diskFree; });
    saved.emplace_back(path, image);
    return NewFileOutcome{};
  };
  {
    Explorer explorer(h.display, START_PLACE, services);
    Keyboard& keys = h.display.keyboard();
    const auto press = [&](KeyCode key) {
      keys.push(key);
      frame(explorer);
      frame(explorer);  // the picture is the next frame's
    };
    KeyCode held = KeyCode::specialKey(KEY_F12);
    held.repeat = true;
    for (const KeyCode key : {KeyCode::specialKey(KEY_F12), held, KeyCode::specialKey(KEY_F12),
                              KeyCode::character('m'), KeyCode::specialKey(KEY_F12)}) {
      press(key);
    }
    {
      const std::lock_guard<std::mutex> open(lock);
      diskFree = true;
    }
    changed.notify_all();
  }  // the explorer ends: every picture asked for is written
  ::unsetenv("XDG_PICTURES_DIR");
  ASSERT_EQ(saved.size(), 3u);
  EXPECT_EQ(saved[0].first, folder + "/glyphverse-L2-10-10.png");
  EXPECT_EQ(saved[1].first, folder + "/glyphverse-L2-10-10.png");  // the writer made no file
  EXPECT_NE(saved[2].second.pixels, saved[0].second.pixels);       // the scanner's picture
  // Below the map only messages are drawn: the pictures have none there.
  for (const auto& [path, image] : {saved[0], saved[1]}) {
    for (int y = 576; y < 600; ++y) {
      for (int x = 0; x < 600; ++x) ASSERT_EQ(image.at(x, y), image.at(0, 599)) << path;
    }
  }
  std::system(("rm -rf '" + folder + "'").c_str());
}

// A message longer than its rows loses its middle, never the reason at its end.
TEST(StatusLine, ALongMessageKeepsItsEnd) {
  HeadlessDisplay h;
  StatusLine status;
  status.show("cannot write /home/" + std::string(400, 'x') + ".png: Permission denied", 0.0);
  status.draw(h.display, 0.0);
  const std::vector<std::string> rows = h.display.workFrame().textRows();
  const std::string& last = rows[STATUS_LAST_ROW - 1];
  EXPECT_NE(last.find("x.png: Permission denied"), std::string::npos) << last;
  EXPECT_EQ(rows[STATUS_LAST_ROW - STATUS_ROWS_AT_MOST].find("cannot write /home/x"), 0u);
}

// Esc stops a search that is still running; the explorer stays where it was.
TEST_F(ExplorerRun, CancellingASearchLeavesTheExplorerWhereItWas) {
  Explorer explorer(h.display, galaxyPlace(500, 600));
  Keyboard& keys = h.display.keyboard();
  const auto type = [&](std::string_view text) {
    bool goesOn = true;
    for (const char c : text) {
      keys.push(KeyCode::character(static_cast<std::uint8_t>(c)));
      goesOn = frame(explorer);
    }
    return goesOn;
  };
  type("/radius=10000 bright>=250 planets=10\r");  // seconds of work on every core
  const auto started = std::chrono::steady_clock::now();
  EXPECT_TRUE(type("\x1b"));  // stops the search, back to the line
  EXPECT_TRUE(type("\x1b"));  // closes the panel
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(1));
  EXPECT_EQ(placeOf(explorer.state()), galaxyPlace(500, 600));
  keys.setDown(SCAN_RIGHT, true);
  frame(explorer);
  EXPECT_EQ(explorer.state().x, 501);  // held keys move the explorer again
}

// What the explorer keeps is told as it happens, failures included: a
// visit the store refuses, a place bookmarked twice, the deepest level;
// the bookmarks' list takes a page at a time and shows names as they are.
TEST_F(ExplorerRun, WhatIsKeptIsToldAndListedAsItIs) {
  MemoryShelf shelf;
  std::int64_t nextId = 1;
  StoreWorker keep(
      [&] {
        return OpenedStore{makeShelfStore(shelf, [&] { return nextId++; }), ""};
      },
      StoreWorker::Runs::onTheCallersThread);
  const auto rows = [&] { return h.display.workFrame().textRows(); };
  const auto shows = [&](const std::string& text) {
    for (const std::string& row : rows()) {
      if (row.find(text) != std::string::npos) return true;
    }
    return false;
  };
  ExplorerServices services;
  services.keep = &keep;
  // The oldest with a line break in its name, as another program may keep it.
  shelf.values["glyphverse.bookmark.1000"] = "0\t2/0/1\ttwo\nlines";
  for (int i = 1; i < 45; ++i) {
    ASSERT_TRUE(keep.call<SavedBookmark>(
                        [i](Store& store) { return store.addBookmark(galaxyPlace(i, 1), "b", i); })
                    .ok());
  }
  Explorer explorer(h.display, Place{DEEPEST_PLACE_LEVEL - 1, {5, 5}, {1, 1}}, services);
  Keyboard& keys = h.display.keyboard();
  // The key, then the store's answer, then the frame that shows it.
  const auto press = [&](KeyCode key) {
    keys.push(key);
    for (int i = 0; i < 3; ++i) frame(explorer);
  };
  for (int i = 0; i < 3; ++i) frame(explorer);  // the level gate opens
  keys.setDown(SCAN_SPACE, true);
  for (int i = 0; i < 3; ++i) frame(explorer);
  EXPECT_EQ(explorer.state().viewLevel, DEEPEST_PLACE_LEVEL);  // one step, then no more
  EXPECT_TRUE(shows("Level 1048576 is the deepest there is"));
  keys.setDown(SCAN_SPACE, false);

  press(KeyCode::character('b'));
  EXPECT_TRUE(shows("Bookmarked Level 1048576 at 1048576/5/5/1/1"));
  press(KeyCode::character('b'));
  EXPECT_TRUE(shows("Already bookmarked: Level 1048576 at 1048576/5/5/1/1"));

  press(KeyCode::character('B'));
  EXPECT_TRUE(shows("1 of 46"));
  press(KeyCode::specialKey(KEY_END));
  EXPECT_TRUE(shows("46 of 46"));
  EXPECT_TRUE(shows("two\\nlines  2/0/1"));  // the oldest, its line break shown
  press(KeyCode::character(CHAR_ENTER));
  EXPECT_EQ(placeOf(explorer.state()), galaxyPlace(0, 1));

  shelf.full = true;
  for (int i = 0; i < 3; ++i) frame(explorer);
  keys.setDown(SCAN_SPACE, true);
  frame(explorer);
  keys.setDown(SCAN_SPACE, false);
  ASSERT_EQ(explorer.state().viewLevel, SYSTEM_LEVEL);
  frame(explorer);
  EXPECT_TRUE(shows("Not logged: the quota is full"));
  press(KeyCode::character('l'));
  EXPECT_TRUE(shows("1 visit of this run could not be logged: the quota is full"));
}

TEST_F(ExplorerRun, DrawsTheMapAroundThePosition) {
  Explorer explorer(h.display);
  frame(explorer);
  HeadlessDisplay expected;
  drawViewMap(expected.display, explorer.map(), 30, 30, 50, 50);
  const Image& page = h.display.page(explorer.lastDrawnPage());
  for (int y = TEXT_AREA_ROWS; y < 600; ++y) {
    for (int x = 0; x < 600; ++x)
      ASSERT_EQ(page.at(x, y), expected.work().at(x, y)) << x << "," << y;
  }
}

}  // namespace
}  // namespace glyphverse
