#include "render/map_view.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <utility>

#include "display/font.h"
#include "render/tiles.h"
#include "tests/display/display_fixture.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

class MapDrawing : public ::testing::Test {
 protected:
  // A page with only the given glyphs drawn, each in its opaque colour.
  Image glyphsOnly(std::initializer_list<std::tuple<int, int, std::uint8_t, Color>> glyphs) {
    HeadlessDisplay e;
    for (const auto& [x, y, code, colour] : glyphs) {
      const char c = static_cast<char>(code);
      drawGlyphs(e.display, x, y, std::string_view(&c, 1), colour);
    }
    return e.work();
  }

  HeadlessDisplay h;
  ViewMap map = initViewMap(0, 0);
};

TEST_F(MapDrawing, EmptyMapDrawsOnlyTheMarker) {
  drawViewMap(h.display, map, 30, 30, 50, 50);
  EXPECT_EQ(h.work().pixels, glyphsOnly({{290, 290, '@', 0xFF0000FA}}).pixels);
}

TEST_F(MapDrawing, CellsInTheirOwnColourAtTheirPlace) {
  map.background[mapIndex(-30, -30)] = makeGlyphCell(177, 10, 20, 30);
  map.background[mapIndex(30, 30)] = makeGlyphCell(15, 1, 2, 3);
  map.background[mapIndex(5, -2)] = GlyphCell{200, 100, 50, 0};  // glyph 0: nothing at all
  drawViewMap(h.display, map, 30, 30, 50, 50);
  EXPECT_EQ(h.work().pixels, glyphsOnly({{50, 50, 177, 0xFF0A141E},
                                         {530, 530, 15, 0xFF010203},
                                         {290, 290, '@', 0xFF0000FA}})
                                 .pixels);
}

TEST_F(MapDrawing, ForegroundOverBackgroundAndMarkerOverAll) {
  map.background[mapIndex(1, 1)] = makeGlyphCell(177, 0, 0, 200);
  map.foreground[mapIndex(1, 1)] = makeGlyphCell(42, 255, 255, 255);
  map.background[mapIndex(0, 0)] = makeGlyphCell(219, 9, 9, 9);  // full block
  drawViewMap(h.display, map, 30, 30, 50, 50);
  EXPECT_EQ(h.work().pixels, glyphsOnly({{298, 298, 177, 0xFF0000C8},
                                         {298, 298, 42, 0xFFFFFFFF},
                                         {290, 290, 219, 0xFF090909},
                                         {290, 290, '@', 0xFF0000FA}})
                                 .pixels);
}

TEST_F(MapDrawing, TilesArePutWithTheirColourKey) {
  map.background[mapIndex(-30, 30)] = makeGlyphCell(219, 7, 7, 7);
  map.terrain[mapIndex(-30, 30)] = TerrainClass::forest;
  drawViewMap(h.display, map, 30, 30, 50, 50);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      const bool set = (FONT_8X8['&'][y] & (0x80 >> x)) != 0;
      // Tile pixels are written with alpha 0; the key colour leaves the glyph beneath.
      ASSERT_EQ(h.work().at(50 + x, 530 + y), set ? 0x00006400u : 0xFF070707u);
    }
  }
}

// Plain data: no display is needed to make or read them.
TEST(TerrainTiles, EachTileIsItsGlyphOverTheColourKey) {
  for (int t = 1; t <= 6; ++t) {
    const Image* tile = terrainTile(static_cast<TerrainClass>(t));
    ASSERT_NE(tile, nullptr);
    const auto& style = TERRAIN_TILE_STYLES[t];
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool set = (FONT_8X8[style.code][y] & (0x80 >> x)) != 0;
        ASSERT_EQ(tile->at(x, y), set ? style.color : IMAGE_FILL) << t;
      }
    }
  }
  EXPECT_EQ(terrainTile(TerrainClass::none), nullptr);
  EXPECT_EQ(terrainTile(static_cast<TerrainClass>(7)), nullptr);
  EXPECT_EQ(TERRAIN_TILE_STYLES[1].color, 0xFF3232FFu);
  // Tiles 4 and 5 differ only in colour.
  for (std::size_t i = 0; i < 64; ++i) {
    EXPECT_EQ(terrainTile(TerrainClass::hills)->pixels[i] == IMAGE_FILL,
              terrainTile(TerrainClass::mountains)->pixels[i] == IMAGE_FILL);
  }
}

void referenceGlyph(Image& page, int px, int py, std::uint8_t code, Color colour) {
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) {
      if ((FONT_8X8[code][y] & (0x80 >> x)) != 0 && page.contains(px + x, py + y))
        page.at(px + x, py + y) = colour;
    }
  }
}

// The map's cells as the plain rules draw them, pixel by pixel onto `page`:
// in each cell the background glyph, the foreground glyph and the tile's
// glyph (with alpha 0), clipped to the page.
void referenceCells(Image& page, const ViewMap& map, int half, int left, int top) {
  for (int j = -half; j <= half; ++j) {
    for (int i = -half; i <= half; ++i) {
      const int px = left + 8 * (i + half);
      const int py = top + 8 * (j + half);
      for (const GlyphCell cell : {map.background[mapIndex(i, j)], map.foreground[mapIndex(i, j)]})
        if (cell.glyph != 0) referenceGlyph(page, px, py, cell.glyph, cellColor(cell));
      const int t = static_cast<int>(map.terrain[mapIndex(i, j)]);
      if (t >= 1 && t <= 6) {
        referenceGlyph(page, px, py, TERRAIN_TILE_STYLES[t].code,
                       TERRAIN_TILE_STYLES[t].color & 0xFFFFFF);
      }
    }
  }
}

Image referenceMap(const ViewMap& map) {
  Image page(600, 600, DEFAULT_BACKGROUND);
  referenceCells(page, map, 30, 50, 50);
  referenceGlyph(page, 290, 290, '@', 0xFF0000FA);
  return page;
}

// Every layer in every combination, glyphs of any code, terrain bytes with
// and without a tile.
ViewMap mixedMap(unsigned seed) {
  ViewMap map = initViewMap(0, 0);
  std::mt19937 random(seed);
  for (int k = 0; k < MAP_CELLS; ++k) {
    const auto any = [&] { return static_cast<std::uint8_t>(random()); };
    if (random() % 3 != 0) map.background[k] = makeGlyphCell(any(), any(), any(), any());
    if (random() % 4 == 0) map.foreground[k] = makeGlyphCell(any(), any(), any(), any());
    if (random() % 2 == 0) map.terrain[k] = static_cast<TerrainClass>(random() % 9);
  }
  map.terrain[0] = static_cast<TerrainClass>(255);
  return map;
}

// One pass over a cleared page, cell by cell over a page drawn on already,
// and tiles larger than a cell (cell by cell again) must all give the pixels
// of the plain rules, alpha included.
TEST_F(MapDrawing, EveryWayOfDrawingGivesThePixelsOfThePlainRules) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    const ViewMap mixed = mixedMap(seed);
    const Image expected = referenceMap(mixed);

    h.display.clearScreen();
    drawViewMap(h.display, mixed, 30, 30, 50, 50);
    ASSERT_EQ(h.work().pixels, expected.pixels) << "one pass, seed " << seed;

    h.display.clearScreen();
    drawGlyphs(h.display, 0, 0, " ", 0xFFFFFFFF);  // drawn on since the clear
    drawViewMap(h.display, mixed, 30, 30, 50, 50);
    ASSERT_EQ(h.work().pixels, expected.pixels) << "cell by cell, seed " << seed;
  }
}

// Cells that the edges of a small image cut, as the poster bands draw them.
TEST(MapCells, DrawnOntoAnyImageAndClippedAtItsEdges) {
  Image band(20, 12, 0x12345678);
  Image expected = band;
  ViewMap one = initViewMap(0, 0);
  one.background[mapIndex(0, 0)] = makeGlyphCell(177, 10, 20, 30);
  one.foreground[mapIndex(0, 0)] = makeGlyphCell('*', 200, 100, 50);
  one.terrain[mapIndex(0, 0)] = TerrainClass::hills;
  for (const auto& [x, y] : {std::pair{-3, -2}, {6, 2}, {15, 7}}) {
    drawMapCell(band, x, y, one.background[mapIndex(0, 0)], one.foreground[mapIndex(0, 0)],
                terrainTile(TerrainClass::hills));
    referenceCells(expected, one, 0, x, y);
  }
  EXPECT_EQ(band.pixels, expected.pixels);
}

// The frame keeps its own copy of the cells: what happens to the map after
// it was drawn, even its end, changes nothing the frame shows.
TEST_F(MapDrawing, TheFrameHoldsTheCellsAsDrawnWhateverHappensToTheMapLater) {
  auto drawn = std::make_unique<ViewMap>(initViewMap(0, 0));
  drawn->background[mapIndex(3, -4)] = makeGlyphCell(177, 10, 20, 30);
  drawn->foreground[mapIndex(3, -4)] = makeGlyphCell('*', 200, 100, 50);
  drawn->terrain[mapIndex(3, -4)] = TerrainClass::forest;
  drawViewMap(h.display, *drawn, 30, 30, 50, 50);
  const Frame copied = h.display.workFrame();
  drawn->foreground[mapIndex(3, -4)] = makeGlyphCell('#', 1, 2, 3);
  drawn.reset();

  const MapCell asDrawn{GlyphStyle{177, 0xFF0A141E}, GlyphStyle{'*', 0xFFC86432},
                        tileStyle(TerrainClass::forest)};
  for (const Frame* frame : {&h.display.workFrame(), &copied}) {
    ASSERT_NE(frame->map(), nullptr);
    EXPECT_EQ(frame->map()->at(3, -4), asDrawn);
    EXPECT_EQ(frame->map()->marker, (GlyphStyle{'@', 0xFF0000FA}));
  }
}

TEST_F(MapDrawing, SmallerHalfSizesDrawOnlyTheInnerCells) {
  map.background[mapIndex(-30, -30)] = makeGlyphCell(219, 1, 1, 1);
  map.background[mapIndex(-2, 1)] = makeGlyphCell(219, 2, 2, 2);
  drawViewMap(h.display, map, 2, 2, 0, 0);
  EXPECT_EQ(h.work().pixels,
            glyphsOnly({{0, 24, 219, 0xFF020202}, {16, 16, '@', 0xFF0000FA}}).pixels);
}

}  // namespace
}  // namespace glyphverse

namespace glyphverse {
namespace {

// Standing still, a page that still holds the map is not drawn again; but
// anything drawn over it since (here text over the map) must not stay.
TEST(MapDrawingStill, APageThatStillHoldsTheMapShowsWhatRedrawingWould) {
  HeadlessDisplay h;
  ViewMap map = initViewMap(0, 0);
  map.background[mapIndex(3, 4)] = makeGlyphCell(177, 10, 20, 30);
  map.terrain[mapIndex(-2, 1)] = TerrainClass::forest;
  auto frame = [&](int page, bool scribble) {
    h.display.setPages(page, 1 - page);
    h.display.clearScreen();
    drawViewMap(h.display, map, 30, 30, 50, 50);
    if (scribble) drawGlyphs(h.display, 290, 290, "XYZ", 0xFFFFFFFF);
    return h.display.page(page).pixels;
  };
  HeadlessDisplay fresh;
  drawViewMap(fresh.display, map, 30, 30, 50, 50);
  const std::vector<Color> expected = fresh.work().pixels;

  // The frame, which keeps its own copy of the cells, keeps up with the page.
  const auto frameCell = [&h] { return h.display.workFrame().map()->at(3, 4).background; };

  frame(0, false);
  frame(1, false);
  EXPECT_EQ(frame(0, false), expected);  // drawn two frames ago, untouched since
  EXPECT_EQ(frameCell(), (GlyphStyle{177, 0xFF0A141E}));
  frame(1, true);
  EXPECT_EQ(frame(1, false), expected);  // the text over it is gone
  map.background[mapIndex(3, 4)].red = 11;
  EXPECT_NE(frame(0, false), expected);  // the map changed: drawn anew
  EXPECT_EQ(frameCell(), (GlyphStyle{177, 0xFF0B141E}));
}

}  // namespace
}  // namespace glyphverse
