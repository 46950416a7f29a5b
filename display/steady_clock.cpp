#include "display/steady_clock.h"

#include <chrono>

namespace glyphverse {

double steadySeconds() {
  using Clock = std::chrono::steady_clock;
  static const double secondsPerTick =
      static_cast<double>(Clock::period::num) / static_cast<double>(Clock::period::den);
  return static_cast<double>(Clock::now().time_since_epoch().count()) * secondsPerTick;
}

}  // namespace glyphverse
