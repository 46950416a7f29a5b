#include "app/timing.h"

#include <gtest/gtest.h>

#include <limits>

namespace glyphverse {
namespace {

TEST(FrameMeter, MeasuresTheTimeBetweenUpdates) {
  FrameMeter meter;
  frameMeterInit(meter, 10.0);
  EXPECT_EQ(meter.lastTime, 10.0);
  EXPECT_EQ(meter.frameTime, 0.0);
  frameMeterUpdate(meter, 10.25);
  EXPECT_EQ(meter.frameTime, 0.25);
  EXPECT_EQ(meter.lastTime, 10.25);
  EXPECT_EQ(framesPerSecond(meter), 4);
}

TEST(FrameMeter, RateIsRoundedDown) {
  FrameMeter meter;
  meter.frameTime = 0.015;
  EXPECT_EQ(framesPerSecond(meter), 66);
  meter.frameTime = 2.0;
  EXPECT_EQ(framesPerSecond(meter), 0);
  meter.frameTime = 0.001;
  EXPECT_EQ(framesPerSecond(meter), 1000);
}

TEST(FrameMeter, ZeroOrTinyFrameTimesReadAsTheLargestRate) {
  FrameMeter meter;
  meter.frameTime = 0.0;
  EXPECT_EQ(framesPerSecond(meter), std::numeric_limits<std::int32_t>::max());
  meter.frameTime = 1e-12;
  EXPECT_EQ(framesPerSecond(meter), std::numeric_limits<std::int32_t>::max());
}

TEST(Gate, ArmedGateOpensOnlyStrictlyAfterTheInterval) {
  RepeatTimer timer;
  repeatTimerInit(timer, 0.5, true, 3.0);
  EXPECT_FALSE(repeatTimerReady(timer, 3.5));
  EXPECT_TRUE(timer.armed);
  EXPECT_TRUE(repeatTimerReady(timer, 3.5000001));
  EXPECT_FALSE(timer.armed);
}

TEST(Gate, DisarmedGateIsOpenWhateverItsTimes) {
  RepeatTimer timer;
  repeatTimerInit(timer, 1000.0, false, 0.0);
  EXPECT_TRUE(repeatTimerReady(timer, 0.0));
  timer.lastFire = 1e9;
  EXPECT_TRUE(repeatTimerReady(timer, 0.0));
}

TEST(Gate, StaysOpenUntilRestartedEvenIfTheIntervalGrows) {
  RepeatTimer timer;
  repeatTimerInit(timer, 0.01, true, 0.0);
  EXPECT_TRUE(repeatTimerReady(timer, 0.02));
  timer.interval = 100.0;
  EXPECT_TRUE(repeatTimerReady(timer, 0.02));
  repeatTimerRestart(timer, 0.02);
  EXPECT_TRUE(timer.armed);
  EXPECT_EQ(timer.lastFire, 0.02);
  EXPECT_FALSE(repeatTimerReady(timer, 0.02));
}

}  // namespace
}  // namespace glyphverse
