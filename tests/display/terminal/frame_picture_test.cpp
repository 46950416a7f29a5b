#include "display/terminal/frame_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "display/glyph_drawing.h"
#include "display/terminal/panel_placement.h"

namespace glyphverse {
namespace {

// The explorer's layout: five rows of text display, two rows of prompt and
// message, the map's centre in the middle of a 75 x 75 grid.
constexpr FrameLayout EXPLORER{5, 2, 36, 36};

TEST(LayOut, ASmallTerminalKeepsHeadFootAndTheFocus) {
  const GridWindow w = layOut(75, 75, EXPLORER, 24, 40);
  for (int r = 0; r < 5; ++r) EXPECT_EQ(w.gridRow[r], r);
  EXPECT_EQ(w.gridRow[22], 73);
  EXPECT_EQ(w.gridRow[23], 74);
  // The 17 rows between are centred on the focus row.
  EXPECT_EQ(w.gridRow[5], 36 - 17 / 2);
  EXPECT_EQ(w.gridRow[21], 36 - 17 / 2 + 16);
  // Text rows start at the left; the rest are centred on the focus column.
  EXPECT_EQ(w.gridColumn(0, 0), 0);
  EXPECT_EQ(w.gridColumn(23, 0), 0);
  EXPECT_EQ(w.gridColumn(10, 20), 36);

  const GridWindow all = layOut(75, 75, EXPLORER, 80, 100);
  EXPECT_EQ(all.gridRow[74], 74);
  EXPECT_EQ(all.gridRow[75], -1);
  EXPECT_EQ(all.gridColumn(40, 74), 74);
  EXPECT_EQ(all.gridColumn(40, 75), -1);
}

// However few rows there are, a long list shows its first row and its
// chosen one, and never more rows than there is room for.
TEST(PlacePanel, TheFirstRowAndTheChosenOneInAnyRoom) {
  const TextPanel list{7, 4, 25, 67, 20};
  std::vector<bool> blank(25, false);
  blank[2] = blank[24] = true;
  for (int rows = 2; rows <= 30; ++rows) {
    const PanelPlacement placed = placePanel(list, blank, PanelRoom{rows, 40, 5, 12, 36});
    const std::vector<int>& shown = placed.panelRows;
    EXPECT_LE(placed.top + static_cast<int>(shown.size()), rows);
    EXPECT_EQ(shown.front(), 0) << rows;
    EXPECT_NE(std::find(shown.begin(), shown.end(), 20), shown.end()) << rows;
    EXPECT_EQ(placed.columns, 40);
  }
}

TEST(MapCellOf, TheGlyphDrawnLastOverTheMeanOfWhatShowsBeneath) {
  const GlyphStyle nebula{177, 0xFF0000C8};
  const GlyphStyle star{249, 0xFFD2D2D2};
  const TerminalCell onNebula = mapCellOf({nebula, star, {}, {}}, 0xFF000000);
  EXPECT_EQ(onNebula.character, U'\u2219');
  EXPECT_EQ(onNebula.fore, 0xD2D2D2u);
  // Two of the star's four pixels are nebula ones: 30 of the other 60 are.
  EXPECT_EQ(onNebula.back, 30 * 200 / 60u);

  EXPECT_EQ(mapCellOf({{}, {}, GlyphStyle{38, 0xFF006400}, {}}, 0xFF000000),
            (TerminalCell{U'&', 0x006400, 0}));
  EXPECT_EQ(mapCellOf({nebula, star, {}, GlyphStyle{'@', 0xFF0000FA}}, 0xFF000000).character, U'@');
  EXPECT_EQ(mapCellOf({}, 0xFF102030), blankCell(0x102030));
}

TEST(FramePicture, TextOverTheMapAndPixelsAsHalfBlocks) {
  Frame frame;
  frame.reset(75, 75, DEFAULT_BACKGROUND);
  const MapPlace place{30, 30, 50, 50};
  MapPicture& map = *frame.setMap(place, GlyphStyle{'@', 0xFF0000FA});
  map.background[place.indexOf(0, 0)] = OpaqueGlyph{10, 20, 30, 177};
  map.background[place.indexOf(1, 0)] = OpaqueGlyph{10, 20, 30, 177};
  frame.putText(37, 38, TextCell{'A', 0xFFFFFFFF, 0xFF000000});  // over map cell (1, 0)

  Image page(600, 600, DEFAULT_BACKGROUND);
  FramePicture picture;
  std::vector<TerminalCell> cells;
  picture.draw(frame, &page, EXPLORER, 75, 75, false, cells);
  EXPECT_EQ(cells[36 * 75 + 36].character, U'@');
  EXPECT_EQ(cells[36 * 75 + 37], (TerminalCell{U'A', 0xFFFFFF, 0}));
  EXPECT_EQ(cells[36 * 75 + 35], blankCell(0));

  // A picture drawn pixel by pixel over the top-left block: two halves.
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) page.at(x, y) = y < 4 ? 0xFF0000FF : 0xFF00FF00;
  }
  frame.clear(DEFAULT_BACKGROUND);
  frame.addPixels(PixelRect{0, 0, 600, 600});
  picture.draw(frame, &page, EXPLORER, 75, 75, false, cells);
  EXPECT_EQ(cells[0], (TerminalCell{U'\u2580', 0x0000FF, 0x00FF00}));
  EXPECT_EQ(cells[1], blankCell(0));
}

}  // namespace
}  // namespace glyphverse
