#include "app/timing.h"

#include <cmath>
#include <limits>

namespace glyphverse {

void frameMeterInit(FrameMeter& meter, double now) {
  meter.lastTime = now;
  meter.frameTime = 0.0;
}

void frameMeterUpdate(FrameMeter& meter, double now) {
  meter.frameTime = now - meter.lastTime;
  meter.lastTime = now;
}

std::int32_t framesPerSecond(const FrameMeter& meter) {
  const double rate = std::floor(1.0 / meter.frameTime);
  if (!(rate < 2147483648.0)) return std::numeric_limits<std::int32_t>::max();  // also NaN
  if (rate < -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rate);
}

void repeatTimerInit(RepeatTimer& timer, double interval, bool armed, double now) {
  timer = RepeatTimer{};
  timer.interval = interval;
  timer.armed = armed;
  timer.lastFire = now;
}

bool repeatTimerReady(RepeatTimer& timer, double now) {
  if (timer.armed && !(now > timer.lastFire + timer.interval)) return false;
  timer.armed = false;
  return true;
}

void repeatTimerRestart(RepeatTimer& timer, double now) {
  timer.armed = true;
  timer.lastFire = now;
}

}  // namespace glyphverse
