#include "display/display.h"

#include <gtest/gtest.h>

#include "display/font.h"
#include "tests/display/display_fixture.h"

namespace glyphverse {
namespace {

bool glyphBit(std::uint8_t code, int column, int row) {
  return (FONT_8X8[code][row] & (0x80 >> column)) != 0;
}

TEST(ProgramTitle, FileNameWithoutDirectoryOrExtension) {
  EXPECT_EQ(titleFromProgramPath("/usr/local/bin/glyphverse"), "glyphverse");
  EXPECT_EQ(titleFromProgramPath("C:\\games\\glyphverse.exe"), "glyphverse");
  EXPECT_EQ(titleFromProgramPath("./build/bin/glyph.verse.bin"), "glyph.verse");
  EXPECT_EQ(titleFromProgramPath(".hidden"), ".hidden");
}

TEST(OpenScreen, StartsWithBlackPagesAndDefaults) {
  HeadlessDisplay h;
  Display& d = h.display;
  ASSERT_EQ(d.surface(), Surface::pages);
  ASSERT_EQ(d.pageCount(), 2);
  for (int p = 0; p < 2; ++p) {
    EXPECT_EQ(d.page(p).width, 600);
    for (const Color c : d.page(p).pixels) ASSERT_EQ(c, DEFAULT_BACKGROUND);
  }
  EXPECT_EQ(d.workPage(), 0);
  EXPECT_EQ(d.visiblePage(), 0);
  EXPECT_EQ(d.foreColor(), DEFAULT_FOREGROUND);
  EXPECT_EQ(d.backColor(), DEFAULT_BACKGROUND);
  EXPECT_EQ(d.cursorRow(), 1);
  EXPECT_EQ(d.cursorColumn(), 1);
}

TEST(OpenScreen, RefusesSizesThatAreNotPositive) {
  HeadlessDisplay h(false);
  EXPECT_NE(h.display.openScreen(0, 600, 32, 2, 0, 0), 0);
  EXPECT_NE(h.display.openScreen(600, -1, 32, 2, 0, 0), 0);
  EXPECT_EQ(h.display.surface(), Surface::none);
  h.display.clearScreen();  // without a display nothing happens, nothing breaks
  h.display.printText("x", true);
}

TEST(SetPages, ChoosesWorkAndVisiblePages) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.setPages(1, 0);
  d.clearScreen();
  drawGlyphs(d, 0, 0, "A", 0xFF123456);
  EXPECT_EQ(d.visiblePage(), 0);
  EXPECT_NE(d.page(1).at(2, 0), DEFAULT_BACKGROUND);
  EXPECT_EQ(d.page(0).at(2, 0), DEFAULT_BACKGROUND);

  d.setPages(2, 1);  // 2 is not a page: the work page stays
  EXPECT_EQ(d.workPage(), 1);
  EXPECT_EQ(d.visiblePage(), 1);
  d.setPages(-1, 0);  // one negative argument keeps that role
  EXPECT_EQ(d.workPage(), 1);
  EXPECT_EQ(d.visiblePage(), 0);
  d.setPages(0, -7);
  EXPECT_EQ(d.workPage(), 0);
  EXPECT_EQ(d.visiblePage(), 0);
  d.setPages(1, 1);
  d.setPages(-1, -1);  // two negatives mean page 0 for both
  EXPECT_EQ(d.workPage(), 0);
  EXPECT_EQ(d.visiblePage(), 0);
}

TEST(ClearScreen, FillsTheWorkPageOnlyAndHomesTheCursor) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.setPages(1, 0);
  drawGlyphs(d, 0, 0, "AB", 0xFFFFFFFF);
  d.locateText(5, 5);
  d.clearScreen();
  EXPECT_EQ(h.countNot(DEFAULT_BACKGROUND), 0);
  EXPECT_EQ(d.cursorRow(), 1);
  EXPECT_EQ(d.cursorColumn(), 1);
}

// A frame drawn the way the explorer draws one: an area covered whole, some
// text, and on the first use of the page some other drawing around it.
void drawCoveredFrame(Display& d, const std::string& text, bool drawAround) {
  const PixelRect area{50, 50, 100, 60};
  d.clearScreen();
  if (drawAround) {
    drawGlyphs(d, 300, 300, "A", 0xFF112233);
  }
  const Display::CoveredArea covered = d.coverArea(area);
  Image* page = covered.page != nullptr ? covered.page : d.workPageImage();
  for (int y = area.y; y < area.y + area.height; ++y) {
    for (int x = area.x; x < area.x + area.width; ++x) {
      page->at(x, y) = covered.page != nullptr ? 0xFF000000u + y * 600 + x : page->at(x, y);
    }
  }
  d.printText(text, false);
}

TEST(ClearScreen, PagesCoveredAfterAClearLookClearedEverywhereElse) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.locateText(40, 40);
  d.printText("left over", false);  // written before the first clear
  drawCoveredFrame(d, "ABCDEFG", true);
  for (const char* text : {"page one", "ABCDEFG", "page one", "AB"}) {  // the last one shorter
    d.setPages(1 - d.workPage(), d.workPage());
    drawCoveredFrame(d, text, false);
  }
  ASSERT_EQ(d.workPage(), 0);

  HeadlessDisplay expected;
  for (int y = 50; y < 110; ++y) {
    for (int x = 50; x < 150; ++x)
      expected.display.workPageImage()->at(x, y) = 0xFF000000u + y * 600 + x;
  }
  expected.display.printText("AB", false);
  EXPECT_EQ(h.work().pixels, expected.work().pixels);
}

TEST(ClearScreen, OnlyAnUntouchedClearedPageIsOfferedForCovering) {
  HeadlessDisplay h;
  Display& d = h.display;
  const PixelRect area{0, 0, 8, 8};
  EXPECT_EQ(d.coverArea(area).page, nullptr);  // not cleared
  d.clearScreen();
  EXPECT_EQ(d.coverArea(PixelRect{595, 0, 8, 8}).page, nullptr);  // not inside the page
  drawGlyphs(d, 100, 100, "x", 0xFFFFFFFF);
  EXPECT_EQ(d.coverArea(area).page, nullptr);  // drawn on since the clear
  d.clearScreen();
  const Image* covered = d.coverArea(area).page;
  EXPECT_EQ(covered, &d.page(0));
  EXPECT_EQ(d.coverArea(area).page, nullptr);  // once per clear
  EXPECT_EQ(h.countNot(DEFAULT_BACKGROUND), 0);
}

TEST(TextGrid, PrintsWholeCellsInForeAndBackColour) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.locateText(1, 20);
  d.setTextColor(0xFF502828);
  d.printText("Trezn 72", true);
  EXPECT_EQ(d.cursorRow(), 2);
  EXPECT_EQ(d.cursorColumn(), 1);
  // Columns 20 to 27 of row 1: pixels x 152 to 215, y 0 to 7.
  const std::string text = "Trezn 72";
  for (int k = 0; k < 8; ++k) {
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const auto code = static_cast<std::uint8_t>(text[k]);
        ASSERT_EQ(h.work().at(152 + 8 * k + x, y),
                  glyphBit(code, x, y) ? 0xFF502828u : DEFAULT_BACKGROUND);
      }
    }
  }
  EXPECT_EQ(h.work().at(151, 0), DEFAULT_BACKGROUND);
  EXPECT_EQ(h.work().at(216, 3), DEFAULT_BACKGROUND);
}

TEST(TextGrid, NumbersFollowTheLabel) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.printText("FPS:", false);
  d.printText(std::int32_t{60}, true);
  d.printText("nebIntens:", false);
  d.printText(std::uint8_t{0}, true);
  EXPECT_EQ(d.cursorRow(), 3);
  HeadlessDisplay expected;
  expected.display.printText("FPS: 60", true);
  expected.display.printText("nebIntens:0", true);
  EXPECT_EQ(h.work().pixels, expected.work().pixels);
}

TEST(TextGrid, WrapsAfterTheLastColumn) {
  HeadlessDisplay h;
  h.display.locateText(3, 74);
  h.display.printText("abc", false);
  EXPECT_EQ(h.display.cursorRow(), 4);
  EXPECT_EQ(h.display.cursorColumn(), 2);
  HeadlessDisplay expected;
  expected.display.locateText(3, 74);
  expected.display.printText("ab", false);
  expected.display.locateText(4, 1);
  expected.display.printText("c", false);
  EXPECT_EQ(h.work().pixels, expected.work().pixels);
}

TEST(TextGrid, CarriageReturnAndLineFeed) {
  HeadlessDisplay h;
  h.display.locateText(2, 10);
  h.display.printText("ab\rc", false);
  EXPECT_EQ(h.display.cursorColumn(), 2);
  h.display.printText("\nd", false);
  EXPECT_EQ(h.display.cursorRow(), 3);
  EXPECT_EQ(h.display.cursorColumn(), 2);
}

TEST(TextGrid, RefusedPositionsKeepTheCursor) {
  HeadlessDisplay h;
  Display& d = h.display;
  d.locateText(4, 9);
  EXPECT_NE(d.locateText(76, 1), 0);
  EXPECT_NE(d.locateText(1, 76), 0);
  EXPECT_NE(d.locateText(-1, 3), 0);
  EXPECT_EQ(d.cursorRow(), 4);
  EXPECT_EQ(d.cursorColumn(), 9);
  EXPECT_EQ(d.locateText(1, 0), 0);  // a 0 keeps that coordinate
  EXPECT_EQ(d.cursorRow(), 1);
  EXPECT_EQ(d.cursorColumn(), 9);
}

TEST(TextGrid, PrintingPastTheLastRowDrawsNothingMore) {
  HeadlessDisplay h;
  h.display.locateText(75, 1);
  h.display.printText("x", true);
  h.display.printText("y", true);
  EXPECT_EQ(h.display.cursorRow(), 76);
  h.display.clearScreen();
  h.display.locateText(75, 1);
  h.display.printText("", true);
  h.display.printText("zzz", true);
  EXPECT_EQ(h.countNot(DEFAULT_BACKGROUND), 0);
}

TEST(Clock, SleepMovesTheManualClockAndTimerReadsIt) {
  HeadlessDisplay h;
  h.clock.now = 5.0;
  h.clock.secondsPerSleep = 0.02;
  EXPECT_EQ(h.display.timerSeconds(), 5.0);
  h.display.sleepFor(1);
  EXPECT_DOUBLE_EQ(h.display.timerSeconds(), 5.02);
}

TEST(Clock, WorksWithoutAnyBackend) {
  Display display(std::vector<std::unique_ptr<DisplayBackend>>{}, "none");
  EXPECT_NE(display.openScreen(600, 600, 32, 2, 0, 0), 0);
  const double before = display.timerSeconds();
  display.sleepFor(1);
  EXPECT_GT(display.timerSeconds(), before);
}

TEST(Clock, RealClockIsMonotonic) {
  Display display(std::make_unique<HeadlessBackend>());
  display.openScreen(8, 8, 32, 1, 0, 0);
  const double before = display.timerSeconds();
  display.sleepFor(2);
  EXPECT_GE(display.timerSeconds() - before, 0.001);
}

}  // namespace
}  // namespace glyphverse
