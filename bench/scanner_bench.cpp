// What a frame costs with the scanner open: panning with an arrow held (a
// strip of new cells each step, and the whole page drawn), and opening it
// (every cell of the page computed, over every core), on the galaxy.

#include <benchmark/benchmark.h>

#include <memory>
#include <thread>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"

namespace glyphverse {
namespace {

// The clock moves 20 ms a frame: every frame finds the move gate open.
struct ScannerOpen {
  ManualClock clock{0.0, 0.02};
  Display display{std::make_unique<HeadlessBackend>(&clock)};
  Explorer explorer{display};

  explicit ScannerOpen(int zoomSteps) {
    display.keyboard().push(KeyCode::character('m'));
    for (int i = 0; i < zoomSteps; ++i) display.keyboard().push(KeyCode::character('+'));
    for (int i = 0; i < 2 + zoomSteps; ++i) explorer.runFrameAndSleep();
  }
};

void BM_ScannerPanningFrame(benchmark::State& run) {
  ScannerOpen on(static_cast<int>(run.range(0)));
  on.display.keyboard().setDown(SCAN_RIGHT, true);
  for (auto _ : run) benchmark::DoNotOptimize(on.explorer.runFrameAndSleep());
  run.counters["frames_per_s"] =
      benchmark::Counter(static_cast<double>(run.iterations()), benchmark::Counter::kIsRate);
  run.counters["cores"] = std::thread::hardware_concurrency();
  if (!on.explorer.scanner().isOpen()) run.SkipWithError("the scanner is not open");
}
BENCHMARK(BM_ScannerPanningFrame)->DenseRange(0, 3)->Unit(benchmark::kMicrosecond)->UseRealTime();

// Zooming in and out: every one of the 360 000 cells of the page, anew.
void BM_ScannerWholePage(benchmark::State& run) {
  ScannerOpen on(0);
  Keyboard& keys = on.display.keyboard();
  for (auto _ : run) {
    keys.push(KeyCode::character('+'));
    on.explorer.runFrameAndSleep();  // drawn at zoom 1; the key is read at the end
    keys.push(KeyCode::character('-'));
    on.explorer.runFrameAndSleep();  // at zoom 2
  }
  run.SetItemsProcessed(run.iterations() * (600 * 600 + 300 * 300));
}
BENCHMARK(BM_ScannerWholePage)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace glyphverse
