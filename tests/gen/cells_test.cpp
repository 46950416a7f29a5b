#include "gen/cells.h"

#include <gtest/gtest.h>

#include "gen/noise.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

class GalaxyCells : public ::testing::Test {
 protected:
  TerrainClass terrainClassAt(std::int32_t x, std::int32_t y) const {
    return glyphverse::terrainClassAt(galaxy, x, y);
  }
  GlyphCell nebulaCellAt(std::int32_t x, std::int32_t y) const {
    return glyphverse::nebulaCellAt(galaxy, x, y);
  }
  GlyphCell starCellAt(std::int32_t x, std::int32_t y) const {
    return glyphverse::starCellAt(galaxy, x, y);
  }
  GlyphCell systemBackgroundAt(std::int32_t x, std::int32_t y, const StarSystem& system) const {
    return glyphverse::systemBackgroundAt(galaxy, x, y, system);
  }
  std::uint8_t turbulence(double x, double y, double size, double period) const {
    return glyphverse::turbulence(galaxy, x, y, size, period);
  }

  const NoiseTables galaxy = noiseTablesFor(INITIAL_NOISE_SEED);
};

StarSystem knownSystem() {
  StarSystem system;
  system.nebColor = 0xFF8040C0;
  system.nebIntens = 192;
  system.size = 2048;
  return system;
}

TEST_F(GalaxyCells, KnownGalaxyCells) {
  EXPECT_EQ(nebulaCellAt(10, 10), makeGlyphCell(177, 14, 13, 14));
  EXPECT_TRUE(isEmpty(starCellAt(10, 10)));
  EXPECT_EQ(starCellAt(10, 10), GlyphCell{});
  EXPECT_EQ(starCellAt(1, 0), makeGlyphCell(249, 157, 157, 157));
  EXPECT_EQ(starCellAt(10, 1), makeGlyphCell(249, 138, 138, 138));
  EXPECT_EQ(terrainClassAt(0, 10), TerrainClass::forest);
  EXPECT_EQ(terrainClassAt(1, 10), TerrainClass::plain);
}

TEST_F(GalaxyCells, KnownSystemBackground) {
  const StarSystem system = knownSystem();
  EXPECT_EQ(turbulence(0, 0, 64, 2048), 103);
  EXPECT_EQ(systemBackgroundAt(0, 0, system), makeGlyphCell(177, 111, 79, 143));
  EXPECT_EQ(turbulence(100, 7, 64, 2048), 68);
  EXPECT_EQ(systemBackgroundAt(100, 7, system), makeGlyphCell(177, 129, 97, 161));
  EXPECT_EQ(systemBackgroundAt(-1948, 7, system), systemBackgroundAt(100, 7, system));
}

TEST_F(GalaxyCells, SystemBackgroundRepeatsEvery2048Cells) {
  const StarSystem system = knownSystem();
  for (int x = 0; x < 4000; x += 97) {
    for (int y = 0; y < 4000; y += 131) {
      ASSERT_EQ(systemBackgroundAt(x, y, system), systemBackgroundAt(x + 2048, y, system));
      ASSERT_EQ(systemBackgroundAt(x, y, system), systemBackgroundAt(x, y - 4096, system));
    }
  }
}

// The map asks for positions up to 30 cells outside the world on both sides.
TEST_F(GalaxyCells, EveryGeneratorWrapsAtTheWorldEdges) {
  EXPECT_EQ(terrainClassAt(-1, 5), terrainClassAt(16777215, 5));
  EXPECT_EQ(starCellAt(-1, 5), starCellAt(16777215, 5));
  const StarSystem system = knownSystem();
  for (int v = -30; v < 30; ++v) {
    for (int other : {0, 5, 16777200}) {
      const std::int32_t w = v < 0 ? v + WORLD_SIZE : v;
      const std::int32_t beyond = v < 0 ? v : v + WORLD_SIZE;
      ASSERT_EQ(nebulaCellAt(beyond, other), nebulaCellAt(w, other)) << v;
      ASSERT_EQ(nebulaCellAt(other, beyond), nebulaCellAt(other, w)) << v;
      ASSERT_EQ(starCellAt(beyond, other), starCellAt(w, other)) << v;
      ASSERT_EQ(starCellAt(other, beyond), starCellAt(other, w)) << v;
      ASSERT_EQ(terrainClassAt(beyond, other), terrainClassAt(w, other)) << v;
      ASSERT_EQ(systemBackgroundAt(beyond, other, system), systemBackgroundAt(w, other, system));
    }
  }
}

TEST(WrapCoordinate, MapsEverySignedValueIntoTheWorld) {
  EXPECT_EQ(wrapCoordinate(-1), 16777215);
  EXPECT_EQ(wrapCoordinate(-16777216), 0);
  EXPECT_EQ(wrapCoordinate(16777216 + 29), 29);
  EXPECT_EQ(wrapCoordinate(-16777217), 16777215);
  EXPECT_EQ(wrapCoordinate(2147483647), 2147483647 % 16777216);
  EXPECT_EQ(wrapCoordinate(-2147483648LL), 0);
}

// Noise that gives chosen bytes to chosen channels, and counts what was asked.
struct ChosenNoise {
  std::uint8_t first = 127;
  std::uint8_t second = 127;
  std::uint8_t third = 127;
  int asked = 0;
  std::uint8_t operator()(NoiseChannel channel) {
    ++asked;
    if (channel.startSize == TERRAIN_FIRST.startSize) return first;
    return channel.startSize == TERRAIN_SECOND.startSize ? second : third;
  }
};

TEST(TerrainClass, ThresholdsOfEachNoiseByte) {
  struct Case {
    std::uint8_t first, second, third;
    TerrainClass expected;
    int asked;
  };
  using enum TerrainClass;
  for (const Case c :
       {Case{79, 0, 0, water, 1}, Case{80, 160, 160, plain, 3}, Case{174, 161, 0, forest, 2},
        Case{175, 0, 0, hills, 1}, Case{199, 0, 0, hills, 1}, Case{200, 0, 0, mountains, 1},
        Case{100, 160, 161, grass, 3}}) {
    ChosenNoise noise{c.first, c.second, c.third};
    EXPECT_EQ(terrainFrom(noise), c.expected) << +c.first << " " << +c.second << " " << +c.third;
    EXPECT_EQ(noise.asked, c.asked);  // later bytes only when the earlier leave it open
  }
}

TEST(StarCell, StarsStandOnMultiplesOfTen) {
  int stars = 0;
  for (int a = 0; a < 256; ++a) {
    const bool star = isStarByte(static_cast<std::uint8_t>(a));
    EXPECT_EQ(star, a % 10 == 0) << a;
    stars += star ? 1 : 0;
  }
  EXPECT_EQ(stars, 26);
}

TEST(StarCell, GlyphAndGreyFromBrightness) {
  struct Case {
    int b;
    int glyph;
    int grey;
  };
  for (const Case c :
       {Case{0, 249, 50}, Case{159, 249, 209}, Case{160, 42, 210}, Case{179, 42, 229},
        Case{180, 15, 230}, Case{205, 15, 255}, Case{206, 15, 255}, Case{255, 15, 255}}) {
    const auto g = static_cast<std::uint8_t>(c.grey);
    EXPECT_EQ(starFromBrightness(static_cast<std::uint8_t>(c.b)),
              makeGlyphCell(static_cast<std::uint8_t>(c.glyph), g, g, g))
        << c.b;
  }
}

TEST(SystemBackground, IntensityScalesTheColour) {
  StarSystem bright;
  bright.nebColor = 0xFF000000;
  bright.nebIntens = 255;
  // Nothing darkened: each channel is m / 2, ties to even.
  EXPECT_EQ(systemCellFromLevel(221, bright), makeGlyphCell(177, 110, 110, 110));
  EXPECT_EQ(systemCellFromLevel(223, bright), makeGlyphCell(177, 112, 112, 112));
  bright.nebColor = 0xFF606164;  // (m + h) / 2 = 150.5, 151 and 152.5 with m = 205
  EXPECT_EQ(systemCellFromLevel(205, bright), makeGlyphCell(177, 150, 151, 152));

  StarSystem dark;
  dark.nebColor = 0xFFFFFFFF;
  dark.nebIntens = 0;
  for (int m = 0; m < 256; ++m) {
    EXPECT_EQ(systemCellFromLevel(static_cast<std::uint8_t>(m), dark), makeGlyphCell(177, 0, 0, 0));
  }
}

// Both colour curves come from tables; they must be the curve itself.
TEST(ColourCurves, TablesGiveTheShapedChannelForEveryInput) {
  for (int v = 0; v < 256; ++v) {
    const auto noise = static_cast<std::uint8_t>(v);
    ASSERT_EQ(nebulaChannel(noise), shapeChannel(noise, NEBULA_OFFSET, NEBULA_BASE)) << v;
    for (int k = 0; k < 256; ++k) {
      const float offset = static_cast<float>(k) / 2.0f;
      ASSERT_EQ(systemLevel(noise, static_cast<std::uint8_t>(k)),
                shapeChannel(noise, offset, SYSTEM_BACKGROUND_BASE))
          << v << " " << k;
    }
  }
}

TEST(NebulaCell, ChannelsAreFullWhereTheNoiseIsLow) {
  for (int v = 0; v <= 50; ++v) {
    EXPECT_EQ(shapeChannel(static_cast<std::uint8_t>(v), NEBULA_OFFSET, NEBULA_BASE), 255);
  }
  EXPECT_LT(shapeChannel(51, NEBULA_OFFSET, NEBULA_BASE), 255);
}

}  // namespace
}  // namespace glyphverse
