#include "display/terminal/page_picture.h"

#include <gtest/gtest.h>

#include <map>

#include "display/cp437.h"
#include "display/font.h"
#include "display/glyph_drawing.h"
#include "display/terminal/terminal_colors.h"

namespace glyphverse {
namespace {

std::uint8_t codeOf(char32_t character) {
  static const auto codes = [] {
    std::map<char32_t, std::uint8_t> map;
    for (int code = 255; code >= 0; --code) map[cp437ToUnicode(std::uint8_t(code))] = code;
    return map;
  }();
  return codes.at(character);
}

bool blankOrFull(std::uint8_t code) {
  int set = 0;
  for (const auto row : FONT_8X8[code]) set += __builtin_popcount(row);
  return set == 0 || set == 64;
}

TEST(PagePicture, EachGlyphIsReadBackAsAGlyphOfItsShapeInItsColours) {
  for (int code = 1; code < 256; ++code) {
    if (blankOrFull(std::uint8_t(code))) continue;
    Image page(8, 8, 0xFF102030);
    drawGlyph(page, 0, 0, std::uint8_t(code), 0xFFA0B0C0);
    const TerminalCell cell = cellOfBlock(page, 0, 0);
    GlyphRows shown = FONT_8X8[codeOf(cell.character)];
    // Where the background forms a glyph too (an inverse bullet, say), the
    // reading with the colours swapped shows the same picture.
    if (cell.fore == 0x102030u) {
      for (auto& row : shown) row = static_cast<std::uint8_t>(~row);
      EXPECT_EQ(cell.back, 0xA0B0C0u) << code;
    } else {
      EXPECT_EQ(cell.fore, 0xA0B0C0u) << code;
      EXPECT_EQ(cell.back, 0x102030u) << code;
    }
    ASSERT_EQ(shown, FONT_8X8[code]) << code;
  }
  EXPECT_EQ(cellOfBlock(Image(8, 8, 0xFF0000FF), 0, 0), blankCell(0x0000FF));
}

TEST(PagePicture, TheGlyphDrawnLastShowsOverTheOnesBeneath) {
  Image page(16, 8, DEFAULT_BACKGROUND);
  drawGlyph(page, 0, 0, 177, 0xFF0000C8);  // nebula
  drawGlyph(page, 0, 0, 42, 0xFFD2D2D2);   // a star on it
  drawGlyph(page, 8, 0, 177, 0xFF204060);
  drawGlyph(page, 8, 0, '@', 0xFF0000FA);  // the explorer's marker
  const TerminalCell star = cellOfBlock(page, 0, 0);
  EXPECT_EQ(star.character, U'*');
  EXPECT_EQ(star.fore, 0xD2D2D2u);
  const TerminalCell marker = cellOfBlock(page, 8, 0);
  EXPECT_EQ(marker.character, U'@');
  EXPECT_EQ(marker.fore, 0x0000FAu);
  // Beneath, the nebula's share of the other pixels.
  EXPECT_GT(marker.back & 0xFF, 0u);
  EXPECT_LT(marker.back & 0xFF, 0x60u);
}

TEST(PagePicture, PixelsThatFormNoGlyphBecomeHalfBlocks) {
  Image page(8, 8, DEFAULT_BACKGROUND);
  for (int y = 0; y < 8; ++y) {  // every pixel its own colour: a picture, not a glyph
    for (int x = 0; x < 8; ++x) {
      page.at(x, y) = y < 4 ? 0xFF000000 + (Color(x * 16 + y) << 16) : 0xFF000080 + Color(x + y);
    }
  }
  const TerminalCell cell = cellOfBlock(page, 0, 0);
  EXPECT_EQ(cell.character, U'\u2580');
  EXPECT_EQ(cell.fore, 0x3A0000u);  // the upper half's average
  EXPECT_EQ(cell.back, 0x000089u);  // and the lower's
}

// The explorer's page: the text display's five rows, then the 61 x 61 map
// (off the 8-pixel grid, at 50, 50) kept centred on the explorer.
PageRegions explorerRegions() {
  return {PageRegion{0, 0, 75, 5, 0, 0}, PageRegion{50, 50, 61, 61, 30, 30}};
}

TEST(PagePicture, SmallTerminalsShowTheTextAndTheMapAroundTheExplorer) {
  Image page(600, 600, DEFAULT_BACKGROUND);
  drawString(page, 0, 0, "FPS: 60", 0xFF502828);
  drawGlyph(page, 290, 290, '@', 0xFF0000FA);
  drawGlyph(page, 50, 50, '&', 0xFF006400);  // the map's top-left cell
  PagePicture picture;
  std::vector<TerminalCell> cells;
  auto at = [&](int columns, int row, int column) {  // 1-based, as a terminal counts
    return cells[std::size_t(row - 1) * columns + (column - 1)];
  };

  picture.draw(page, explorerRegions(), 24, 80, cells);
  EXPECT_EQ(at(80, 1, 1).character, U'F');
  EXPECT_EQ(at(80, 6, 7), blankCell(0));             // the row between the text and the map
  EXPECT_EQ(at(80, 7 + 9, 7 + 30).character, U'@');  // 18 map rows, centred on the explorer

  picture.draw(page, explorerRegions(), 80, 120, cells);
  EXPECT_EQ(at(120, 7, 7).character, U'&');  // the whole map
  EXPECT_EQ(at(120, 7 + 30, 7 + 30).character, U'@');

  picture.draw(page, explorerRegions(), 30, 41, cells);
  EXPECT_EQ(at(41, 7 + 12, 21).character, U'@');  // cut on both axes around it
}

TEST(TerminalColors, NearestOfThe256AndTheModeFromTheEnvironment) {
  EXPECT_EQ(nearestPaletteColor(0x000000), 16);
  EXPECT_EQ(nearestPaletteColor(0xFFFFFF), 231);
  EXPECT_EQ(nearestPaletteColor(0xFF0000), 196);
  EXPECT_EQ(nearestPaletteColor(0x0000FA), 21);
  EXPECT_EQ(nearestPaletteColor(0x808080), 244);  // the grey ramp is finer than the cube
  for (Color c = 0; c < 0x1000000; c += 0x010307) {
    const Color p = paletteColor(nearestPaletteColor(c));
    for (const int shift : {16, 8, 0}) {
      ASSERT_LE(std::abs(int((c >> shift) & 0xFF) - int((p >> shift) & 0xFF)), 48) << c;
    }
  }
  EXPECT_EQ(colorModeFrom("1", "truecolor"), ColorMode::none);
  EXPECT_EQ(colorModeFrom("", "truecolor"), ColorMode::trueColor);
  EXPECT_EQ(colorModeFrom(nullptr, "24bit"), ColorMode::trueColor);
  EXPECT_EQ(colorModeFrom(nullptr, nullptr), ColorMode::palette256);
}

TEST(TerminalScreen, ColoursAsTheModeWantsAndNoneWithoutColour) {
  const std::vector<TerminalCell> cells = {TerminalCell{U'A', 0xFF0000, 0x000000},
                                           TerminalCell{U'B', 0xFF0000, 0x000000}};
  std::string palette;
  TerminalScreen paletteScreen(ColorMode::palette256);
  paletteScreen.resize(1, 2);
  paletteScreen.render(cells, palette);
  EXPECT_NE(palette.find("\x1b[38;5;196;48;5;16mAB"), std::string::npos) << palette;

  std::string plain;
  TerminalScreen plainScreen(ColorMode::none);
  plainScreen.resize(1, 2);
  plainScreen.render(cells, plain);
  EXPECT_EQ(plain, "\x1b[0m\x1b[2J\x1b[1;1HAB");
}

}  // namespace
}  // namespace glyphverse
