#include "app/timing.h"

#include <cmath>
#include <limits>

namespace glyphverse {

void frameMeterInit(FrameMeter& meter, Display& display) {
  meter.lastTime = display.timerSeconds();
  meter.frameTime = 0.0;
}

void frameMeterUpdate(FrameMeter& meter, Display& display) {
  meter.frameTime = display.timerSeconds() - meter.lastTime;
  meter.lastTime = display.timerSeconds();
}

std::int32_t framesPerSecond(const FrameMeter& meter) {
  const double rate = std::floor(1.0 / meter.frameTime);
  if (!(rate < 2147483648.0)) return std::numeric_limits<std::int32_t>::max();  // also NaN
  if (rate < -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(rate);
}

void repeatTimerInit(RepeatTimer& timer, double interval, bool armed, Display& display) {
  timer = RepeatTimer{};
  timer.interval = interval;
  timer.armed = armed;
  timer.lastFire = display.timerSeconds();
}

bool repeatTimerReady(RepeatTimer& timer, Display& display) {
  if (timer.armed && !(display.timerSeconds() > timer.lastFire + timer.interval)) return false;
  timer.armed = false;
  return true;
}

void repeatTimerRestart(RepeatTimer& timer, Display& display) {
  timer.armed = true;
  timer.lastFire = display.timerSeconds();
}

}  // namespace glyphverse
