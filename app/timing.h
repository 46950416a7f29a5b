#pragma once
// The frame meter and the key-repeat gates. Each operation is given the
// clock reading it works with, in seconds.

#include <cstdint>

namespace glyphverse {

struct FrameMeter {
  double lastTime = 0.0;   // clock reading at the previous update
  double frameTime = 0.0;  // seconds between the last two updates
};

void frameMeterInit(FrameMeter& meter, double now);
// Called once at the start of every frame.
void frameMeterUpdate(FrameMeter& meter, double now);
// 1 / frameTime rounded down. A frame time of 0 (or one so short that the rate
// leaves the 32-bit range) has no meaningful rate; it reads as the largest
// rate there is, INT32_MAX, which is where the rate heads as the time shrinks.
std::int32_t framesPerSecond(const FrameMeter& meter);

// A held key acts once at once, then again only after `interval` seconds.
struct RepeatTimer {
  double interval = 0.0;  // may be changed by the owner at any time
  double lastFire = 0.0;
  bool armed = false;  // the interval must pass before the gate opens again
};

void repeatTimerInit(RepeatTimer& timer, double interval, bool armed, double now);
// Open when not armed, or when strictly more than `interval` has passed since
// the last firing. Opening disarms it until the next restart.
bool repeatTimerReady(RepeatTimer& timer, double now);
// Called right after a key has acted.
void repeatTimerRestart(RepeatTimer& timer, double now);

}  // namespace glyphverse
