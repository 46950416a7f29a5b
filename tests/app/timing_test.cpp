#include "app/timing.h"

#include <gtest/gtest.h>

#include <limits>

#include "tests/display/display_fixture.h"

namespace glyphverse {
namespace {

TEST(FrameMeter, MeasuresTheTimeBetweenUpdates) {
  HeadlessDisplay h;
  h.clock.now = 10.0;
  FrameMeter meter;
  frameMeterInit(meter, h.display);
  EXPECT_EQ(meter.lastTime, 10.0);
  EXPECT_EQ(meter.frameTime, 0.0);
  h.clock.now = 10.25;
  frameMeterUpdate(meter, h.display);
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

class Gate : public ::testing::Test {
 protected:
  HeadlessDisplay h;
  RepeatTimer timer;
};

TEST_F(Gate, ArmedGateOpensOnlyStrictlyAfterTheInterval) {
  h.clock.now = 3.0;
  repeatTimerInit(timer, 0.5, true, h.display);
  h.clock.now = 3.5;
  EXPECT_FALSE(repeatTimerReady(timer, h.display));
  EXPECT_TRUE(timer.armed);
  h.clock.now = 3.5000001;
  EXPECT_TRUE(repeatTimerReady(timer, h.display));
  EXPECT_FALSE(timer.armed);
}

TEST_F(Gate, DisarmedGateIsOpenWhateverItsTimes) {
  repeatTimerInit(timer, 1000.0, false, h.display);
  EXPECT_TRUE(repeatTimerReady(timer, h.display));
  timer.lastFire = 1e9;
  EXPECT_TRUE(repeatTimerReady(timer, h.display));
}

TEST_F(Gate, StaysOpenUntilRestartedEvenIfTheIntervalGrows) {
  repeatTimerInit(timer, 0.01, true, h.display);
  h.clock.now = 0.02;
  EXPECT_TRUE(repeatTimerReady(timer, h.display));
  timer.interval = 100.0;
  EXPECT_TRUE(repeatTimerReady(timer, h.display));
  repeatTimerRestart(timer, h.display);
  EXPECT_TRUE(timer.armed);
  EXPECT_EQ(timer.lastFire, 0.02);
  EXPECT_FALSE(repeatTimerReady(timer, h.display));
}

}  // namespace
}  // namespace glyphverse
