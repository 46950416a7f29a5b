#include "render/map_view.h"

#include <gtest/gtest.h>

#include "display/font.h"
#include "render/tiles.h"
#include "tests/display/display_fixture.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

class MapDrawing : public ::testing::Test {
 protected:
  void SetUp() override { buildTerrainTiles(h.display, 8); }

  // A page with only the given glyphs drawn, the way drawText draws them.
  Image glyphsOnly(std::initializer_list<std::tuple<int, int, std::uint8_t, Color>> glyphs) {
    HeadlessDisplay e;
    for (const auto& [x, y, code, colour] : glyphs) {
      const char c = static_cast<char>(code);
      e.display.drawText(static_cast<float>(x), static_cast<float>(y), std::string_view(&c, 1),
                         colour);
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

TEST(TerrainTiles, EachTileIsItsGlyphOverTheColourKey) {
  HeadlessDisplay h;
  buildTerrainTiles(h.display, 8);
  for (int t = 1; t <= 6; ++t) {
    const Image* tile = terrainTile(static_cast<TerrainClass>(t));
    ASSERT_NE(tile, nullptr);
    const auto& style = TERRAIN_TILE_STYLES[t];
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) {
        const bool set = (FONT_8X8[style.glyph][y] & (0x80 >> x)) != 0;
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

TEST_F(MapDrawing, SmallerHalfSizesDrawOnlyTheInnerCells) {
  map.background[mapIndex(-30, -30)] = makeGlyphCell(219, 1, 1, 1);
  map.background[mapIndex(-2, 1)] = makeGlyphCell(219, 2, 2, 2);
  drawViewMap(h.display, map, 2, 2, 0, 0);
  EXPECT_EQ(h.work().pixels,
            glyphsOnly({{0, 24, 219, 0xFF020202}, {16, 16, '@', 0xFF0000FA}}).pixels);
}

}  // namespace
}  // namespace glyphverse
