// What one frame of the explorer costs while it scrolls: input, one new
// column of the map, drawing all of it, the text display and the page flip.
// And the drawing of the map alone, onto a page just cleared, and the
// window's comparison of a page with the one it presented last.

#include <benchmark/benchmark.h>

#include <array>
#include <memory>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"
#include "display/page_diff.h"
#include "render/map_view.h"

namespace glyphverse {
namespace {

// An explorer that has stepped down to `level` over a bright system (one in a
// black nebula would draw nothing but black); the clock moves 20 ms a frame,
// so every frame finds the move gate open.
struct ExplorerOnLevel {
  ManualClock clock{0.0, 0.02};
  Display display{std::make_unique<HeadlessBackend>(&clock)};
  Explorer explorer{display, galaxyPlace(40, 2)};

  explicit ExplorerOnLevel(std::int32_t level) {
    for (int i = 0; i < 30; ++i) explorer.runFrameAndSleep();  // the level gate opens after 0.5 s
    Keyboard& keys = display.keyboard();
    for (std::int32_t l = GALAXY_LEVEL; l < level; ++l) {
      keys.setDown(SCAN_SPACE, true);
      explorer.runFrameAndSleep();
      keys.setDown(SCAN_SPACE, false);
      for (int i = 0; i < 30; ++i) explorer.runFrameAndSleep();
    }
  }
};

void BM_ScrollingFrame(benchmark::State& run) {
  const auto level = static_cast<std::int32_t>(run.range(0));
  ExplorerOnLevel on(level);
  on.display.keyboard().setDown(SCAN_RIGHT, true);
  for (auto _ : run) benchmark::DoNotOptimize(on.explorer.runFrameAndSleep());
  if (on.explorer.state().viewLevel != level) run.SkipWithError("not on the level asked for");
}
BENCHMARK(BM_ScrollingFrame)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Unit(benchmark::kMicrosecond);

// Standing still: a page that holds the map from two frames ago is not drawn again.
void BM_StillFrame(benchmark::State& run) {
  ExplorerOnLevel on(static_cast<std::int32_t>(run.range(0)));
  for (auto _ : run) benchmark::DoNotOptimize(on.explorer.runFrameAndSleep());
}
BENCHMARK(BM_StillFrame)->Arg(GALAXY_LEVEL)->Arg(PLANET_LEVEL)->Unit(benchmark::kMicrosecond);

// The two pages take turns, as in the frame loop.
// Three maps, each a cell apart, in turn: no page ever holds the map it is
// about to show, so every drawing is a real one.
void BM_MapDrawing(benchmark::State& run) {
  ExplorerOnLevel on(static_cast<std::int32_t>(run.range(0)));
  std::array<ViewMap, 3> maps;
  maps.fill(on.explorer.map());
  maps[1].foreground[mapIndex(5, 5)] = makeGlyphCell(42, 200, 200, 200);
  maps[2].foreground[mapIndex(-5, 5)] = makeGlyphCell(42, 200, 200, 200);
  int page = 0;
  std::size_t next = 0;
  for (auto _ : run) {
    on.display.setPages(page, 1 - page);
    on.display.clearScreen();
    drawViewMap(on.display, maps[next], MAP_RADIUS, MAP_RADIUS, MAP_LEFT, MAP_TOP);
    benchmark::ClobberMemory();
    page = 1 - page;
    next = (next + 1) % maps.size();
  }
}
BENCHMARK(BM_MapDrawing)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Unit(benchmark::kMicrosecond);

// The window's look at the visible page, at most once per refresh: a page
// that differs from the one last presented only in its first text row (the
// frame rate, as when standing still).
void BM_PresentComparison(benchmark::State& run) {
  ExplorerOnLevel on(GALAXY_LEVEL);
  const Image& visible = on.display.page(on.display.visiblePage());
  Image shown = visible;
  shown.at(0, 0) ^= 1;
  for (auto _ : run) benchmark::DoNotOptimize(changedRows(visible, shown));
}
BENCHMARK(BM_PresentComparison)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphverse
