#include "display/glyph_drawing.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "display/font.h"

namespace glyphverse {
namespace {

constexpr Color PAPER = 0xFF000000;

bool glyphBit(std::uint8_t code, int column, int row) {
  return (FONT_8X8[code][row] & (0x80 >> column)) != 0;
}

int countNot(const Image& image, Color colour) {
  int n = 0;
  for (const Color p : image.pixels) n += p != colour ? 1 : 0;
  return n;
}

TEST(DrawGlyph, WritesOnlyTheSetPixelsOfTheGlyph) {
  Image page(60, 60, PAPER);
  drawGlyph(page, 50, 50, 177, 0xFF102030);  // the checkerboard glyph
  EXPECT_EQ(countNot(page, PAPER), 32);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      EXPECT_EQ(page.at(50 + x, 50 + y), glyphBit(177, x, y) ? 0xFF102030u : PAPER);
    }
  }
  drawGlyph(page, 0, 0, ' ', 0xFFFFFFFF);
  EXPECT_EQ(countNot(page, PAPER), 32);
}

TEST(DrawGlyph, ClipsAtTheEdges) {
  Image page(4, 4, IMAGE_FILL);
  drawGlyph(page, -4, 0, '@', 0xFF0000FA);
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      EXPECT_EQ(page.at(x, y), glyphBit('@', x + 4, y) ? 0xFF0000FAu : IMAGE_FILL);
    }
  }
}

TEST(PutImageKeyed, SkipsTheColourKeyWhateverItsAlphaAndWritesAlphaZero) {
  Image page(60, 60, PAPER);
  Image image(3, 1, IMAGE_FILL);
  image.at(0, 0) = 0x00FF00FF;
  image.at(1, 0) = 0x12FF00FF;
  image.at(2, 0) = 0xFF3232FF;
  putImageKeyed(page, 20, 30, image);
  EXPECT_EQ(page.at(22, 30), 0x003232FFu);
  EXPECT_EQ(countNot(page, PAPER), 1);
}

TEST(PutImageKeyed, ClipsAtTheEdges) {
  Image page(60, 60, PAPER);
  const Image image(8, 8, 0xFF010203);
  putImageKeyed(page, 56, 10, image);
  EXPECT_EQ(countNot(page, PAPER), 4 * 8);
  EXPECT_EQ(page.at(59, 17), 0x00010203u);

  page = Image(60, 60, PAPER);
  putImageKeyed(page, -3, -3, image);
  EXPECT_EQ(countNot(page, PAPER), 5 * 5);
  EXPECT_EQ(page.at(0, 0), 0x00010203u);
  EXPECT_EQ(page.at(4, 4), 0x00010203u);

  page = Image(60, 60, PAPER);
  putImageKeyed(page, 60, 0, image);
  putImageKeyed(page, -8, 0, image);
  EXPECT_EQ(countNot(page, PAPER), 0);
}

}  // namespace
}  // namespace glyphverse
