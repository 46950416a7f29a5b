// What one frame of the explorer costs while it scrolls: input, one new
// column of the map, drawing all of it, the text display and the page flip.

#include <benchmark/benchmark.h>

#include <memory>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"

namespace glyphverse {
namespace {

void BM_ScrollingFrame(benchmark::State& run) {
  const auto level = static_cast<std::int32_t>(run.range(0));
  ManualClock clock{0.0, 0.02};  // every frame finds the move gate open
  Display display(std::make_unique<HeadlessBackend>(&clock));
  Explorer explorer(display);
  for (int i = 0; i < 30; ++i) explorer.runFrame();  // the level gate opens after 0.5 s
  Keyboard& keys = display.keyboard();
  for (std::int32_t l = GALAXY_LEVEL; l < level; ++l) {
    keys.setDown(SCAN_SPACE, true);
    explorer.runFrame();
    keys.setDown(SCAN_SPACE, false);
    for (int i = 0; i < 30; ++i) explorer.runFrame();
  }
  keys.setDown(SCAN_RIGHT, true);
  for (auto _ : run) benchmark::DoNotOptimize(explorer.runFrame());
  if (explorer.state().viewLevel != level) run.SkipWithError("not on the level asked for");
}
BENCHMARK(BM_ScrollingFrame)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace glyphverse
