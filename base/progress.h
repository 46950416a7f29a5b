#pragma once
// A one-line progress bar on standard error for tools that run long: how far,
// how fast and how long is left. It stays silent when standard error is not a
// terminal, when it is switched off, and for runs over before its first draw
// (by default half a second in).

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

namespace glyphverse {

// "[########------------]  42%  35.1 M cells/s  0:12 left"
std::string progressLine(std::int64_t done, std::int64_t total, double seconds,
                         std::string_view unit);

class ProgressBar {
 public:
  // `total` units of work named `unit` ("cells"); `enabled` false never draws.
  ProgressBar(std::int64_t total, std::string unit, bool enabled,
              std::chrono::milliseconds firstDraw = std::chrono::milliseconds(500));
  ~ProgressBar();
  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  // `done` units are complete. Called by one thread at a time.
  void update(std::int64_t done);
  // Erases the bar, if one was drawn.
  void finish();

 private:
  using Clock = std::chrono::steady_clock;
  std::int64_t total_;
  std::string unit_;
  bool enabled_;
  bool drawn_ = false;
  std::chrono::milliseconds firstDraw_;
  Clock::time_point start_;
  Clock::time_point lastDraw_;
};

}  // namespace glyphverse
