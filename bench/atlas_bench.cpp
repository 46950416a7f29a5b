// How fast the atlas makes posters: cells a second at one pixel a cell on one
// and two threads, glyph pixels a second (and its drawing beside the
// explorer's), and a 4096 x 4096 galaxy written to a PNG file end to end.

#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "display/display.h"
#include "display/headless_backend.h"
#include "gen/cells.h"
#include "gen/noise.h"
#include "gen/view_map.h"
#include "render/map_view.h"
#include "render/tiles.h"
#include "tools/atlas/atlas_render.h"
#include "tools/atlas/glyph_rows.h"
#include "world/view_state.h"

namespace glyphverse {
namespace {

AtlasLayout galaxyLayout(std::int64_t columns, std::int64_t rows, bool glyphs) {
  AtlasLayout layout;
  layout.left = 123456;
  layout.top = 654321;
  layout.columns = columns;
  layout.rows = rows;
  layout.glyphs = glyphs;
  layout.cellPixels = glyphs ? GLYPH_CELL_PIXELS : 1;
  return layout;
}

// Generation and drawing only, no PNG: the band pipeline with nothing after it.
void BM_AtlasGalaxyCells(benchmark::State& run) {
  const LevelWorld world = levelWorld(AtlasLevel::galaxy, 0, 0);
  const AtlasLayout layout = galaxyLayout(4096, 1024, false);
  RenderSettings settings;
  settings.threads = static_cast<int>(run.range(0));
  for (auto _ : run) benchmark::DoNotOptimize(renderAtlasBands(world, layout, settings, false));
  run.SetItemsProcessed(run.iterations() * layout.columns * layout.rows);
}
BENCHMARK(BM_AtlasGalaxyCells)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

// Items are pixels; 64 of them make a cell.
void BM_AtlasGalaxyGlyphs(benchmark::State& run) {
  const LevelWorld world = levelWorld(AtlasLevel::galaxy, 0, 0);
  const AtlasLayout layout = galaxyLayout(256, 128, true);
  RenderSettings settings;
  settings.threads = 1;
  for (auto _ : run) benchmark::DoNotOptimize(renderAtlasBands(world, layout, settings, false));
  run.SetItemsProcessed(run.iterations() * layout.width() * layout.height());
}
BENCHMARK(BM_AtlasGalaxyGlyphs)->Unit(benchmark::kMillisecond)->UseRealTime();

// Per cell, the two ways of drawing the same 61 x 61 galaxy cells: the
// explorer's (its page cleared, then the map drawn) and the atlas's (into
// PNG rows). Items are pixels of the cells, 64 a cell.
ViewState galaxyState() {
  ViewState state;
  state.x = 123456;
  state.y = 654321;
  state.viewLevel = GALAXY_LEVEL;
  buildNoiseTables(state.tables, INITIAL_NOISE_SEED);
  return state;
}

void BM_ExplorerMapDrawing(benchmark::State& run) {
  ManualClock clock{0.0, 0.02};
  Display display(std::make_unique<HeadlessBackend>(&clock));
  display.openScreen(600, 600, 32, 2, 0, 0);
  // Two maps a cell apart, taken in turn as while scrolling: a page that
  // still held the same map would not be drawn again.
  ViewState state = galaxyState();
  std::array<ViewMap, 2> maps;
  for (ViewMap& map : maps) {
    map = initViewMap(state.x, state.y);
    assembleViewMap(map, state);
    ++state.x;
  }
  std::size_t frame = 0;
  for (auto _ : run) {
    display.clearScreen();
    drawViewMap(display, maps[frame++ % 2], MAP_RADIUS, MAP_RADIUS, 50, 50);
    benchmark::ClobberMemory();
  }
  run.SetItemsProcessed(run.iterations() * MAP_CELLS * CELL_SIZE * CELL_SIZE);
}
BENCHMARK(BM_ExplorerMapDrawing)->Unit(benchmark::kMicrosecond);

void BM_AtlasGlyphDrawing(benchmark::State& run) {
  const ViewState state = galaxyState();
  std::vector<CellContent> cells;
  for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
    for (int i = -MAP_RADIUS; i <= MAP_RADIUS; ++i) {
      cells.push_back(cellAt(state.tables, GALAXY_LEVEL, state.system, state.x + i, state.y + j));
    }
  }
  const GlyphPainter painter;
  GlyphPainter::Scratch scratch;
  const std::size_t rowBytes = 1 + 3 * MAP_SIDE * CELL_SIZE;
  std::vector<std::uint8_t> rows(rowBytes * MAP_SIDE * CELL_SIZE);
  for (auto _ : run) {
    painter.paint(cells.data(), MAP_SIDE, MAP_SIDE, scratch, &rows[1], rowBytes);
    benchmark::ClobberMemory();
  }
  run.SetItemsProcessed(run.iterations() * MAP_CELLS * CELL_SIZE * CELL_SIZE);
}
BENCHMARK(BM_AtlasGlyphDrawing)->Unit(benchmark::kMicrosecond);

// A 4096 x 4096 galaxy to a PNG file on every core. encode_share: the part
// of all threads' time spent filtering and compressing.
void BM_AtlasGalaxyPosterFile(benchmark::State& run) {
  const LevelWorld world = levelWorld(AtlasLevel::galaxy, 0, 0);
  const AtlasLayout layout = galaxyLayout(4096, 4096, false);
  const std::string path = "/tmp/glyphverse-atlas-bench.png";
  RenderStats stats;
  double encode = 0.0;
  double work = 0.0;
  for (auto _ : run) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    stats = writeAtlasPng(world, layout, RenderSettings{}, file, nullptr);
    std::fclose(file);
    encode += stats.encodeSeconds;
    work += stats.encodeSeconds + stats.renderSeconds;
  }
  std::remove(path.c_str());
  run.SetItemsProcessed(run.iterations() * layout.columns * layout.rows);
  run.counters["encode_share"] = encode / work;
  run.counters["file_MB"] = static_cast<double>(stats.fileBytes) / 1e6;
}
BENCHMARK(BM_AtlasGalaxyPosterFile)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

}  // namespace
}  // namespace glyphverse
