// What the terminal picture costs the link: the real explorer on a
// pseudo-terminal of 100 x 80 with an arrow held (the terminal's repeat, 30
// presses a second), on each level with content. Reports pictures, bytes and
// changed cells per second of the explorer's own clock.

#include <benchmark/benchmark.h>
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <atomic>
#include <memory>
#include <thread>

#include "app/explorer.h"
#include "display/display.h"
#include "display/terminal/terminal_backend.h"

namespace glyphverse {
namespace {

constexpr double FRAME_SECONDS = 0.001;
constexpr double REPEAT_SECONDS = 1.0 / 30.0;

struct PseudoTerminal {
  int master = -1;
  int slave = -1;
  PseudoTerminal() {
    winsize size{};
    size.ws_row = 80;
    size.ws_col = 100;
    ::openpty(&master, &slave, nullptr, nullptr, &size);
  }
  ~PseudoTerminal() {
    ::close(master);
    ::close(slave);
  }
};

void BM_TerminalPictureWhileMoving(benchmark::State& run) {
  const auto level = static_cast<std::int32_t>(run.range(0));
  PseudoTerminal terminal;
  std::atomic<bool> reading{true};
  // The far end reads everything at once, as a fast local terminal would.
  std::thread reader([&] {
    char buffer[65536];
    while (reading) {
      pollfd ready{terminal.master, POLLIN, 10};
      if (::poll(&ready, 1, 10) > 0 && ::read(terminal.master, buffer, sizeof buffer) <= 0) break;
    }
  });
  double now = 0.0;
  auto backend = std::make_unique<TerminalBackend>(
      terminal.slave, terminal.slave, [&now] { return now; },
      TerminalOptions{true, true, ColorMode::trueColor});
  const TerminalBackend& output = *backend;
  Display display(std::move(backend));
  Explorer explorer(display, galaxyPlace(40, 2));  // over a bright system
  auto frames = [&](double seconds, const char* key) {
    double nextPress = now;
    for (const double end = now + seconds; now < end; now += FRAME_SECONDS) {
      if (key != nullptr && now >= nextPress) {
        ::write(terminal.master, key, std::char_traits<char>::length(key));
        nextPress += REPEAT_SECONDS;
      }
      explorer.runFrameAndSleep();
    }
  };
  frames(0.6, nullptr);
  for (std::int32_t l = GALAXY_LEVEL; l < level; ++l) {
    frames(0.01, " ");
    frames(0.6, nullptr);
  }
  const TerminalOutputCount before = output.outputCount();
  constexpr double MEASURED_SECONDS = 3.0;
  for (auto _ : run) frames(MEASURED_SECONDS, "\x1b[C");
  const TerminalOutputCount after = output.outputCount();
  reading = false;
  reader.join();
  const double pictures = static_cast<double>(after.pictures - before.pictures);
  const double bytes = static_cast<double>(after.bytes - before.bytes);
  const double cells = static_cast<double>(after.cells - before.cells);
  run.counters["pictures_per_s"] = pictures / MEASURED_SECONDS;
  run.counters["bytes_per_picture"] = bytes / pictures;
  run.counters["bytes_per_s"] = bytes / MEASURED_SECONDS;
  run.counters["bytes_per_cell"] = bytes / cells;
  if (explorer.state().viewLevel != level) run.SkipWithError("not on the level asked for");
}
BENCHMARK(BM_TerminalPictureWhileMoving)
    ->Arg(GALAXY_LEVEL)
    ->Arg(SYSTEM_LEVEL)
    ->Arg(PLANET_LEVEL)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace glyphverse
