#pragma once
// Pages in memory and no window: for tests and for tools that draw frames
// without a screen. Keys are set by the caller through the display's keyboard.

#include "display/backend.h"

namespace glyphverse {

// A clock that only moves when told: it stands still within a frame and moves
// on by `secondsPerSleep` at every sleep.
struct ManualClock {
  double now = 0.0;
  double secondsPerSleep = 0.0;
};

class HeadlessBackend final : public DisplayBackend {
 public:
  // With no clock the real monotonic clock and real sleeps are used.
  explicit HeadlessBackend(ManualClock* clock = nullptr) : clock_(clock) {}

  Surface open(int width, int height, const std::string& title) override;
  void service(const Shown& shown, Keyboard& keys) override;
  double seconds() override;
  void sleepMillis(int milliseconds) override;
  void close() override {}

 private:
  ManualClock* clock_;
};

}  // namespace glyphverse
