#include "display/font.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphverse {
namespace {

const GlyphRows& glyph(int code) {
  return FONT_8X8[static_cast<std::size_t>(code)];
}

int pixelCount(const GlyphRows& rows) {
  int count = 0;
  for (std::uint8_t row : rows) {
    count += std::popcount(row);
  }
  return count;
}

std::uint8_t allColumns(const GlyphRows& rows) {
  std::uint8_t columns = 0;
  for (std::uint8_t row : rows) {
    columns |= row;
  }
  return columns;
}

int shapeWidth(const GlyphRows& rows) {
  const std::uint8_t columns = allColumns(rows);
  if (columns == 0) {
    return 0;
  }
  return GLYPH_SIZE - std::countl_zero(columns) - std::countr_zero(columns);
}

// Edge patterns as bytes: for the left and right edges bit 0x80 is the top row.
std::uint8_t leftEdge(const GlyphRows& rows) {
  std::uint8_t edge = 0;
  for (int row = 0; row < GLYPH_SIZE; ++row) {
    if (rows[static_cast<std::size_t>(row)] & 0x80) {
      edge |= static_cast<std::uint8_t>(0x80 >> row);
    }
  }
  return edge;
}

std::uint8_t rightEdge(const GlyphRows& rows) {
  std::uint8_t edge = 0;
  for (int row = 0; row < GLYPH_SIZE; ++row) {
    if (rows[static_cast<std::size_t>(row)] & 0x01) {
      edge |= static_cast<std::uint8_t>(0x80 >> row);
    }
  }
  return edge;
}

// Moves the shape to the top-left corner so that shapes can be compared regardless of where
// they sit in the cell.
GlyphRows toTopLeft(const GlyphRows& rows) {
  GlyphRows moved{};
  const std::uint8_t columns = allColumns(rows);
  if (columns == 0) {
    return moved;
  }
  const int shift = std::countl_zero(columns);
  const auto first = std::find_if(rows.begin(), rows.end(), [](std::uint8_t row) { return row; });
  std::transform(first, rows.end(), moved.begin(),
                 [shift](std::uint8_t row) { return static_cast<std::uint8_t>(row << shift); });
  return moved;
}

GlyphRows mirroredLeftRight(const GlyphRows& rows) {
  GlyphRows mirrored{};
  for (std::size_t row = 0; row < rows.size(); ++row) {
    for (int bit = 0; bit < GLYPH_SIZE; ++bit) {
      if (rows[row] & (1 << bit)) {
        mirrored[row] |= static_cast<std::uint8_t>(0x80 >> bit);
      }
    }
  }
  return mirrored;
}

GlyphRows mirroredTopBottom(const GlyphRows& rows) {
  GlyphRows flipped = rows;
  std::reverse(flipped.begin(), flipped.end());
  return flipped;
}

std::string picture(const GlyphRows& rows) {
  std::string picture;
  for (std::uint8_t row : rows) {
    picture += '\n';
    for (int bit = 7; bit >= 0; --bit) {
      picture += (row & (1 << bit)) ? '#' : '.';
    }
  }
  return picture;
}

TEST(Font, FixedGlyphsHaveTheirExactRows) {
  struct FixedGlyph {
    int code;
    GlyphRows rows;
  };
  const FixedGlyph fixedGlyphs[] = {
      {15, {0x99, 0x5A, 0x3C, 0xE7, 0xE7, 0x3C, 0x5A, 0x99}},
      {38, {0x38, 0x6C, 0x38, 0x76, 0xDC, 0xCC, 0x76, 0x00}},
      {42, {0x00, 0x66, 0x3C, 0xFF, 0x3C, 0x66, 0x00, 0x00}},
      {64, {0x7C, 0xC6, 0xDE, 0xDE, 0xDE, 0xC0, 0x78, 0x00}},
      {94, {0x10, 0x38, 0x6C, 0xC6, 0x00, 0x00, 0x00, 0x00}},
      {176, {0x22, 0x88, 0x22, 0x88, 0x22, 0x88, 0x22, 0x88}},
      {177, {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA}},
      {247, {0x00, 0x76, 0xDC, 0x00, 0x76, 0xDC, 0x00, 0x00}},
      {249, {0x00, 0x00, 0x00, 0x18, 0x18, 0x00, 0x00, 0x00}},
      {250, {0x00, 0x00, 0x00, 0x00, 0x18, 0x00, 0x00, 0x00}},
      {65, {0x30, 0x78, 0xCC, 0xCC, 0xFC, 0xCC, 0xCC, 0x00}},
      {48, {0x7C, 0xC6, 0xCE, 0xDE, 0xF6, 0xE6, 0x7C, 0x00}},
      {69, {0x7E, 0x60, 0x60, 0x78, 0x60, 0x60, 0x7E, 0x00}},
      {58, {0x00, 0x30, 0x30, 0x00, 0x00, 0x30, 0x30, 0x00}},
  };
  for (const FixedGlyph& fixed : fixedGlyphs) {
    EXPECT_EQ(glyph(fixed.code), fixed.rows) << "code " << fixed.code << picture(glyph(fixed.code));
  }
}

TEST(Font, OnlyNullSpaceAndNonBreakingSpaceAreBlank) {
  for (int code = 0; code < 256; ++code) {
    const bool blank = code == 0 || code == 32 || code == 255;
    EXPECT_EQ(pixelCount(glyph(code)) == 0, blank) << "code " << code;
  }
}

TEST(Font, AllGlyphsAreDistinctExceptTheBlanks) {
  for (int first = 1; first <= 254; ++first) {
    if (first == 32) {
      continue;
    }
    for (int second = first + 1; second <= 254; ++second) {
      EXPECT_NE(glyph(first), glyph(second)) << "codes " << first << " and " << second;
    }
  }
}

TEST(Font, CapitalsAndDigitsSitOnTheBaselineWithoutDescenders) {
  std::string characters = "0123456789";
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    characters += letter;
  }
  for (char character : characters) {
    const GlyphRows& rows = glyph(character);
    EXPECT_EQ(rows[7], 0) << character << picture(rows);
    EXPECT_NE(rows[6], 0) << character << picture(rows);
    EXPECT_NE(rows[0], 0) << character << picture(rows);
  }
}

TEST(Font, CapitalsAndDigitsAreSixOrSevenPixelsWide) {
  std::string characters = "0123456789";
  for (char letter = 'A'; letter <= 'Z'; ++letter) {
    if (letter != 'I') {
      characters += letter;  // I is a narrow bar with serifs.
    }
  }
  for (char character : characters) {
    const int width = shapeWidth(glyph(character));
    EXPECT_GE(width, 6) << character << picture(glyph(character));
    EXPECT_LE(width, 7) << character << picture(glyph(character));
  }
}

TEST(Font, LowerCaseLettersShareXHeightAndDescenderRow) {
  const std::string withDescender = "gjpqy";
  const std::string shortLetters = "acegmnopqrsuvwxyz";
  const std::string withAscender = "bdfhkl";
  for (char letter = 'a'; letter <= 'z'; ++letter) {
    const GlyphRows& rows = glyph(letter);
    const bool descends = withDescender.find(letter) != std::string::npos;
    EXPECT_EQ(rows[7] != 0, descends) << letter << picture(rows);
    // The x-height starts at row 2, so the body of every letter covers row 2.
    EXPECT_NE(rows[2], 0) << letter << picture(rows);
  }
  for (char letter : shortLetters) {
    EXPECT_EQ(glyph(letter)[0], 0) << letter << picture(glyph(letter));
    EXPECT_EQ(glyph(letter)[1], 0) << letter << picture(glyph(letter));
  }
  for (char letter : withAscender) {
    EXPECT_NE(glyph(letter)[0], 0) << letter << picture(glyph(letter));
  }
}

TEST(Font, SymmetricShapesAreDrawnSymmetrically) {
  const std::string symmetricAscii = "AHIMOTUVWXY8ovwx!\"#*+-.:=^|";
  std::vector<int> codes(symmetricAscii.begin(), symmetricAscii.end());
  // Smileys, suits, bullets, sun, arrows, triangles, house, blocks, dots, Greek and maths.
  const int symmetricPictures[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,  10,  15,
                                   18,  19,  22,  23,  24,  25,  29,  30,  31, 127, 219,
                                   220, 223, 232, 233, 239, 240, 249, 250, 254};
  codes.insert(codes.end(), std::begin(symmetricPictures), std::end(symmetricPictures));
  for (int code : codes) {
    EXPECT_EQ(toTopLeft(mirroredLeftRight(glyph(code))), toTopLeft(glyph(code)))
        << "code " << code << picture(glyph(code));
  }
}

TEST(Font, MirrorPairsAreMirrorImages) {
  struct MirrorPair {
    int left;
    int right;
  };
  const MirrorPair leftRightPairs[] = {
      {'(', ')'}, {'[', ']'}, {'{', '}'}, {'<', '>'}, {'/', '\\'},
      {16, 17},   {26, 27},   {169, 170}, {174, 175}, {242, 243},
  };
  for (const MirrorPair& pair : leftRightPairs) {
    EXPECT_EQ(toTopLeft(mirroredLeftRight(glyph(pair.left))), toTopLeft(glyph(pair.right)))
        << "codes " << pair.left << " and " << pair.right;
  }
  const MirrorPair topBottomPairs[] = {{24, 25}, {30, 31}, {'!', 173}};
  for (const MirrorPair& pair : topBottomPairs) {
    EXPECT_EQ(toTopLeft(mirroredTopBottom(glyph(pair.left))), toTopLeft(glyph(pair.right)))
        << "codes " << pair.left << " and " << pair.right;
  }
  // The integral halves are turned by half a turn and stack into one tall sign.
  EXPECT_EQ(mirroredTopBottom(mirroredLeftRight(glyph(244))), glyph(245));
  EXPECT_EQ(glyph(244)[7], glyph(245)[0]);
}

TEST(Font, BlocksAndShadesFillTheirPartOfTheCell) {
  EXPECT_EQ(pixelCount(glyph(219)), GLYPH_SIZE * GLYPH_SIZE);
  const GlyphRows& lower = glyph(220);
  const GlyphRows& upper = glyph(223);
  const GlyphRows& left = glyph(221);
  const GlyphRows& right = glyph(222);
  for (std::size_t row = 0; row < GLYPH_SIZE; ++row) {
    EXPECT_EQ(lower[row] | upper[row], 0xFF) << "row " << row;
    EXPECT_EQ(lower[row] & upper[row], 0) << "row " << row;
    EXPECT_EQ(left[row] | right[row], 0xFF) << "row " << row;
    EXPECT_EQ(left[row] & right[row], 0) << "row " << row;
  }
  EXPECT_EQ(pixelCount(lower), 32);
  EXPECT_EQ(upper[0], 0xFF);
  EXPECT_EQ(lower[7], 0xFF);
  EXPECT_EQ(pixelCount(left), 32);
  EXPECT_EQ(leftEdge(left), 0xFF);
  EXPECT_EQ(rightEdge(right), 0xFF);

  // Shades get darker from 176 to 178, and each row differs from the next so they dither.
  EXPECT_LT(pixelCount(glyph(176)), pixelCount(glyph(177)));
  EXPECT_LT(pixelCount(glyph(177)), pixelCount(glyph(178)));
  EXPECT_LT(pixelCount(glyph(178)), pixelCount(glyph(219)));
  for (int code = 176; code <= 178; ++code) {
    for (std::size_t row = 0; row + 1 < GLYPH_SIZE; ++row) {
      EXPECT_NE(glyph(code)[row], glyph(code)[row + 1]) << "code " << code << " row " << row;
    }
  }
}

enum class Line { none, one, two };

struct BoxGlyph {
  int code;
  Line up;
  Line down;
  Line left;
  Line right;
};

using enum Line;

// Which lines leave each box-drawing glyph through which edge (up, down, left, right).
const BoxGlyph BOX_GLYPHS[] = {
    {179, one, one, none, none}, {180, one, one, one, none},  {181, one, one, two, none},
    {182, two, two, one, none},  {183, none, two, one, none}, {184, none, one, two, none},
    {185, two, two, two, none},  {186, two, two, none, none}, {187, none, two, two, none},
    {188, two, none, two, none}, {189, two, none, one, none}, {190, one, none, two, none},
    {191, none, one, one, none}, {192, one, none, none, one}, {193, one, none, one, one},
    {194, none, one, one, one},  {195, one, one, none, one},  {196, none, none, one, one},
    {197, one, one, one, one},   {198, one, one, none, two},  {199, two, two, none, one},
    {200, two, none, none, two}, {201, none, two, none, two}, {202, two, none, two, two},
    {203, none, two, two, two},  {204, two, two, none, two},  {205, none, none, two, two},
    {206, two, two, two, two},   {207, one, none, two, two},  {208, two, none, one, one},
    {209, none, one, two, two},  {210, none, two, one, one},  {211, two, none, none, one},
    {212, one, none, none, two}, {213, none, one, none, two}, {214, none, two, none, one},
    {215, two, two, one, one},   {216, one, one, two, two},   {217, one, none, one, none},
    {218, none, one, none, one},
};

TEST(Font, BoxLinesShareOneCentre) {
  const std::uint8_t singleVertical = glyph(179)[0];
  const std::uint8_t doubleVertical = glyph(186)[0];
  const std::uint8_t singleHorizontal = leftEdge(glyph(196));
  const std::uint8_t doubleHorizontal = leftEdge(glyph(205));
  EXPECT_EQ(singleVertical, 0x10);
  EXPECT_EQ(std::popcount(doubleVertical), 2);
  // Horizontal lines sit in the row matching the column of vertical lines, so a cell looks the
  // same turned by a quarter.
  EXPECT_EQ(singleHorizontal, singleVertical);
  EXPECT_EQ(doubleHorizontal, doubleVertical);
  // The double line straddles the single one, so mixed junctions line up on both sides.
  const int singleColumn = std::countl_zero(singleVertical);
  const int doubleLeftColumn = std::countl_zero(doubleVertical);
  const int doubleRightColumn = GLYPH_SIZE - 1 - std::countr_zero(doubleVertical);
  EXPECT_LT(doubleLeftColumn, singleColumn);
  EXPECT_GT(doubleRightColumn, singleColumn);
}

TEST(Font, BoxGlyphsJoinTheirNeighboursSeamlessly) {
  const auto verticalEdge = [](Line line) -> std::uint8_t {
    if (line == Line::one) {
      return glyph(179)[0];
    }
    if (line == Line::two) {
      return glyph(186)[0];
    }
    return 0;
  };
  const auto horizontalEdge = [](Line line) -> std::uint8_t {
    if (line == Line::one) {
      return leftEdge(glyph(196));
    }
    if (line == Line::two) {
      return leftEdge(glyph(205));
    }
    return 0;
  };
  for (const BoxGlyph& box : BOX_GLYPHS) {
    const GlyphRows& rows = glyph(box.code);
    EXPECT_EQ(rows[0], verticalEdge(box.up)) << "code " << box.code << picture(rows);
    EXPECT_EQ(rows[7], verticalEdge(box.down)) << "code " << box.code << picture(rows);
    EXPECT_EQ(leftEdge(rows), horizontalEdge(box.left)) << "code " << box.code << picture(rows);
    EXPECT_EQ(rightEdge(rows), horizontalEdge(box.right)) << "code " << box.code << picture(rows);
  }
}

TEST(Font, BoxLinesRunStraightThroughTheCell) {
  // Straight lines are unbroken from edge to edge, so a run of them draws one continuous line.
  const GlyphRows& vertical = glyph(179);
  const GlyphRows& doubleVertical = glyph(186);
  EXPECT_TRUE(std::all_of(vertical.begin(), vertical.end(),
                          [&](std::uint8_t row) { return row == vertical[0]; }));
  EXPECT_TRUE(std::all_of(doubleVertical.begin(), doubleVertical.end(),
                          [&](std::uint8_t row) { return row == doubleVertical[0]; }));
  for (std::size_t row = 0; row < GLYPH_SIZE; ++row) {
    const std::uint8_t expected = leftEdge(glyph(196)) & (0x80 >> row) ? 0xFF : 0x00;
    EXPECT_EQ(glyph(196)[row], expected) << "row " << row;
    const std::uint8_t expectedDouble = leftEdge(glyph(205)) & (0x80 >> row) ? 0xFF : 0x00;
    EXPECT_EQ(glyph(205)[row], expectedDouble) << "row " << row;
  }
  // The single cross is exactly a vertical line laid over a horizontal one.
  for (std::size_t row = 0; row < GLYPH_SIZE; ++row) {
    EXPECT_EQ(glyph(197)[row], glyph(179)[row] | glyph(196)[row]) << "row " << row;
  }
}

}  // namespace
}  // namespace glyphverse
