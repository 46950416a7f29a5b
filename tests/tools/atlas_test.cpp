// The atlas against the other ways of seeing the universe: the query tool's
// answers cell by cell, and the explorer's own frames.

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "display/png_io.h"
#include "gen/octaves.h"
#include "gen/places.h"
#include "render/tiles.h"
#include "tools/atlas/atlas_options.h"
#include "tools/atlas/atlas_render.h"
#include "tools/atlas/render_plan.h"
#include "tools/query/query.h"
#include "tools/snapshot/arguments.h"
#include "tools/snapshot/snapshot.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

struct Rendered {
  std::string path;
  Image image;
};

Rendered render(AtlasLevel level, std::int64_t gx, std::int64_t gy, const AtlasLayout& layout,
                const RenderSettings& settings, const std::string& name) {
  Rendered rendered{::testing::TempDir() + name, Image()};
  std::FILE* file = std::fopen(rendered.path.c_str(), "wb");
  EXPECT_NE(file, nullptr);
  writeAtlasPng(levelWorld(level, gx, gy), layout, settings, file, nullptr);
  std::fclose(file);
  const auto image = readPng(rendered.path);
  EXPECT_TRUE(image.has_value()) << "not a readable PNG: " << rendered.path;
  if (image) rendered.image = *image;
  return rendered;
}

std::vector<int> numbers(const std::string& answer) {
  std::istringstream fields(answer);
  return std::vector<int>(std::istream_iterator<int>(fields), std::istream_iterator<int>());
}

Color rgb(int red, int green, int blue) {
  return 0xFF000000u | static_cast<Color>(red) << 16 | static_cast<Color>(green) << 8 |
         static_cast<Color>(blue);
}

// The colour glyphverse-query's answer gives a cell drawn as one pixel.
Color queriedColor(AtlasLevel level, std::int32_t x, std::int32_t y) {
  const std::string at = std::to_string(x) + " " + std::to_string(y);
  if (level == AtlasLevel::galaxy) {
    const auto f = numbers(answerQuery("galaxy " + at).text);  // r g b, star glyph and grey
    return f.at(3) != 0 ? rgb(f[4], f[4], f[4]) : rgb(f[0], f[1], f[2]);
  }
  if (level == AtlasLevel::system) {
    const auto f = numbers(answerQuery("sysbg 40 2 " + at).text);
    return rgb(f.at(0), f.at(1), f.at(2));
  }
  const int terrain = numbers(answerQuery("planet 40 2 " + at).text).at(0);
  return tileStyle(static_cast<TerrainClass>(terrain)).color;
}

TEST(Atlas, EveryPixelAgreesWithTheQueryToolAcrossTheWorldEdge) {
  // 20 columns before the right edge and 20 after it, 12 rows above y = 0
  // and 12 below, in bands of 5 rows so that band seams fall inside.
  AtlasLayout layout;
  layout.left = WORLD_SIZE - 20;
  layout.top = -12;
  layout.columns = 40;
  layout.rows = 24;
  RenderSettings settings;
  settings.bandRows = 5;
  for (const AtlasLevel level : {AtlasLevel::galaxy, AtlasLevel::system, AtlasLevel::planet}) {
    SCOPED_TRACE(std::string(levelName(level)));
    // The system's galaxy cell is given outside the world: it wraps to (40, 2).
    const Image image = render(level, 40 - WORLD_SIZE, 2, layout, settings, "edge.png").image;
    ASSERT_EQ(image.width, 40);
    ASSERT_EQ(image.height, 24);
    int differing = 0;
    for (int j = 0; j < layout.rows; ++j) {
      for (int i = 0; i < layout.columns; ++i) {
        const Color expected =
            queriedColor(level, wrapCoordinate(layout.left + i), wrapCoordinate(layout.top + j));
        differing += image.at(i, j) != expected;
      }
    }
    EXPECT_EQ(differing, 0);
  }
}

// The map region of a snapshot frame, pixels 50 to 537 on both axes, against
// a glyph atlas of the map's 61 x 61 cells around the snapshot's place: one
// place's text brings both tools to the same spot. The explorer's "@" on the
// centre cell is not part of the universe, so the centre cell is left out.
void expectMapRegionEquals(const std::string& start, const std::string& script, AtlasLevel level) {
  const SnapshotResult snapshot = runSnapshot(
      parseSnapshotCommand({"--start", start, "--script", script, "--out", "x"}).options);
  const ViewState& state = snapshot.state;
  ASSERT_EQ(state.viewLevel, level == AtlasLevel::galaxy   ? GALAXY_LEVEL
                             : level == AtlasLevel::system ? SYSTEM_LEVEL
                                                           : PLANET_LEVEL);
  const AtlasOptions options =
      parseAtlasCommand({"place", placeText(placeOf(state)), "61", "61", "--glyphs"}).options;
  Rendered rendered{::testing::TempDir() + "map.png", Image()};
  std::FILE* file = std::fopen(rendered.path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  RenderSettings settings;
  settings.bandRows = 7;
  writeAtlasPng(worldAt(*options.place), options.layout, settings, file, nullptr);
  std::fclose(file);
  const Image atlas = readPng(rendered.path).value_or(Image());
  ASSERT_EQ(atlas.width, MAP_SIDE * GLYPH_CELL_PIXELS);
  constexpr int MAP_LEFT = 50;
  constexpr int CENTRE = MAP_RADIUS * GLYPH_CELL_PIXELS;
  int differing = 0;
  for (int y = 0; y < atlas.height; ++y) {
    for (int x = 0; x < atlas.width; ++x) {
      const bool centreCell = x >= CENTRE && x < CENTRE + GLYPH_CELL_PIXELS && y >= CENTRE &&
                              y < CENTRE + GLYPH_CELL_PIXELS;
      const Color shown = rgbOf(snapshot.frame.at(MAP_LEFT + x, MAP_LEFT + y));
      differing += !centreCell && rgbOf(atlas.at(x, y)) != shown;
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(Atlas, GlyphsOfTheMapsRectangleEqualTheSnapshotToolsMapRegion) {
  {
    SCOPED_TRACE("galaxy across the world's corner");
    expectMapRegionEquals("16777214,1", "hold right+up 4", AtlasLevel::galaxy);
  }
  {
    SCOPED_TRACE("star system");
    expectMapRegionEquals("40,2", "wait 30; hold space 1; hold right 3", AtlasLevel::system);
  }
  {
    SCOPED_TRACE("planet surface");
    expectMapRegionEquals("10,10", "wait 30; hold space 1; wait 25; hold space 1; hold down+left 4",
                          AtlasLevel::planet);
  }
}

std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

TEST(Atlas, SameBytesWhateverTheNumberOfThreads) {
  struct Case {
    AtlasLevel level;
    AtlasLayout layout;
  };
  const Case cases[] = {
      {AtlasLevel::galaxy, {16777000, 5, 700, 90, 1, false}},
      {AtlasLevel::planet, {-3, -4, 40, 30, GLYPH_CELL_PIXELS, true}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(levelName(c.level)));
    RenderSettings settings;
    settings.bandRows = 4;  // many bands, so that threads overtake each other
    std::string first;
    for (const int threads : {1, 2, 7}) {
      settings.threads = threads;
      const Rendered rendered = render(c.level, 10, 10, c.layout, settings, "threads.png");
      const std::string bytes = fileBytes(rendered.path);
      if (threads == 1) first = bytes;
      EXPECT_FALSE(bytes.empty());
      EXPECT_TRUE(bytes == first) << threads << " threads";
    }
  }
}

// Each column of a band costs at least its pixels, as many compressed bytes
// and its octaves; threads and bands in flight shrink to what fits, and not
// even one of each fitting is a refusal.
TEST(AtlasPlan, CountsEveryColumnAndFitsTheMemoryGiven) {
  AtlasLayout narrow;
  narrow.columns = 1000;
  narrow.rows = 10;
  AtlasLayout wide = narrow;
  wide.columns = 3000;
  const BandMemory band = bandMemory(narrow, 1);
  const std::uint64_t perColumn = 2 * 3 + sizeof(ColumnOctaves);
  EXPECT_GE(bandMemory(wide, 1).perBand - band.perBand, 2000 * perColumn);
  EXPECT_GE(bandMemory(narrow, 2).perBand - band.perBand, 1000 * 2 * 3);

  RenderSettings settings;
  settings.threads = 4;
  settings.bandRows = 1;
  const std::uint64_t one = band.perBand + band.perThread;
  settings.memoryBytes = one - 1;
  EXPECT_FALSE(planRender(narrow, settings));
  settings.memoryBytes = one;
  const auto single = planRender(narrow, settings);
  ASSERT_TRUE(single);
  EXPECT_EQ(single->threads, 1);
  EXPECT_EQ(single->bandsInFlight, 1);
  settings.memoryBytes = 3 * one + band.perBand;
  const auto three = planRender(narrow, settings);
  ASSERT_TRUE(three);
  EXPECT_EQ(three->threads, 3);
  EXPECT_EQ(three->bandsInFlight, 4);
  EXPECT_EQ(three->bandCount, 10);
}

}  // namespace
}  // namespace glyphverse
