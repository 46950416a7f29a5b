#include "app/navigation.h"

#include <gtest/gtest.h>

#include "gen/noise.h"
#include "gen/places.h"
#include "gen/star_system.h"
#include "gen/view_map.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// Held keys, clock readings and gates of our own, as the explorer keeps them.
class Navigation : public ::testing::Test {
 protected:
  void SetUp() override {
    frameAt(100.0);  // the gates start here, armed
  }
  void hold(std::initializer_list<int> codes) {
    keys.releaseAll();
    for (const int code : codes) keys.setDown(code, true);
  }
  // One frame's input at the given clock reading.
  void frameAt(double now) { handleInput(state, keys, now, gates); }

  HeldKeys keys;
  InputGates gates;
  ViewState state = initViewState(10, 10);
};

TEST(InitViewState, GalaxyLevelWithNoSystem) {
  const ViewState state = initViewState(10, 10);
  EXPECT_EQ(state.x, 10);
  EXPECT_EQ(state.y, 10);
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);
  EXPECT_FALSE(state.changed);
  EXPECT_EQ(state.system, StarSystem{});
  EXPECT_EQ(state.tables, noiseTablesFor(INITIAL_NOISE_SEED));
}

// A place's state is the one that walking there and pressing Space gives.
TEST(StateAt, EqualsWalkingThereAndSteppingDown) {
  ViewState walked = initViewState(40, 2);
  ASSERT_TRUE(changeViewLevel(walked, SPACE_STEP));
  walked.x = 4;
  walked.y = 7;
  walked.changed = false;
  const ViewState system = stateAt(Place{SYSTEM_LEVEL, {40, 2}, {4, 7}});
  EXPECT_EQ(system.system, walked.system);
  EXPECT_EQ(system.tables, walked.tables);
  EXPECT_EQ(system.returnPositions, walked.returnPositions);
  walked.x = walked.y = 0;
  ASSERT_TRUE(changeViewLevel(walked, SPACE_STEP));
  const ViewState planet = stateAt(Place{PLANET_LEVEL, {40, 2}, {0, 0}});
  EXPECT_EQ(planet.returnPositions, walked.returnPositions);
  EXPECT_EQ(planet.tables, walked.tables);
}

TEST_F(Navigation, BothGatesStartArmed) {
  hold({SCAN_RIGHT, SCAN_SPACE});
  frameAt(100.01);  // not strictly after the interval yet
  EXPECT_EQ(state.x, 10);
  frameAt(100.011);
  EXPECT_EQ(state.x, 11);
  frameAt(100.4);
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);  // level keys wait 0.5 s
  frameAt(100.5001);
  EXPECT_EQ(state.viewLevel, SYSTEM_LEVEL);
}

TEST_F(Navigation, ArrowsMoveAtMostOncePerIntervalAndFrame) {
  hold({SCAN_DOWN});
  frameAt(100.0);
  int moves = 0;
  for (int frame = 1; frame <= 100; ++frame) {
    const std::int32_t before = state.y;
    frameAt(100.0 + frame * 0.004);  // 250 frames a second
    moves += state.y - before;
  }
  // 0.4 s at one move per 0.01 s rounded up to whole frames of 0.004 s: one per 3 frames.
  EXPECT_EQ(moves, 33);
}

TEST_F(Navigation, WrapsAtBothEdgesOnBothAxes) {
  double now = 101.0;
  auto step = [&](int code) {
    hold({code});
    now += 0.2;
    frameAt(now);
  };
  state.x = 0;
  step(SCAN_LEFT);
  EXPECT_EQ(state.x, WORLD_SIZE - 1);
  step(SCAN_RIGHT);
  EXPECT_EQ(state.x, 0);
  state.y = 0;
  step(SCAN_UP);
  EXPECT_EQ(state.y, WORLD_SIZE - 1);
  step(SCAN_DOWN);
  EXPECT_EQ(state.y, 0);
}

TEST_F(Navigation, DiagonalAndOpposingArrows) {
  hold({SCAN_UP, SCAN_RIGHT});
  frameAt(101.0);
  EXPECT_EQ(state.x, 11);
  EXPECT_EQ(state.y, 9);

  hold({SCAN_UP, SCAN_DOWN});
  frameAt(102.0);
  EXPECT_EQ(state.y, 9);  // cancelled out...
  frameAt(102.005);
  hold({SCAN_LEFT});
  frameAt(102.009);
  EXPECT_EQ(state.x, 11);  // ...but the gate was restarted
  frameAt(102.0101);
  EXPECT_EQ(state.x, 10);
}

TEST_F(Navigation, ShiftSlowsTheWaitAlreadyUnderWay) {
  hold({SCAN_RIGHT});
  frameAt(101.0);
  EXPECT_EQ(state.x, 11);
  hold({SCAN_RIGHT, SCAN_SHIFT});
  frameAt(101.05);
  EXPECT_EQ(state.x, 11);  // 0.05 s is long enough without Shift, not with it
  frameAt(101.1001);
  EXPECT_EQ(state.x, 12);
}

TEST_F(Navigation, PressingShiftOnAnOpenGateDoesNotDelayTheStep) {
  frameAt(101.0);  // gates created; nothing held
  frameAt(101.5);  // the move gate opens and stays open while nothing moves
  hold({SCAN_RIGHT, SCAN_SHIFT});
  frameAt(101.501);
  EXPECT_EQ(state.x, 11);
}

TEST_F(Navigation, HeldLevelKeyStepsOncePerHalfSecond) {
  hold({SCAN_SPACE});
  frameAt(100.0);
  int steps = 0;
  for (int frame = 1; frame <= 300; ++frame) {
    const std::int32_t before = state.viewLevel;
    frameAt(100.0 + frame * 0.007);
    steps += state.viewLevel - before;
  }
  EXPECT_EQ(steps, 4);  // at 0.504, 1.008, 1.512 and 2.016 s
}

TEST_F(Navigation, SpaceThenAltInOneOpenFrameComesBackToTheGalaxy) {
  state.x = 40;
  state.y = 2;
  const NoiseTables galaxy = state.tables;
  hold({SCAN_SPACE, SCAN_ALT});
  frameAt(101.0);
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);
  EXPECT_TRUE(state.changed);  // two steps, one map replacement
  EXPECT_EQ(state.x, 40);
  EXPECT_EQ(state.y, 2);
  EXPECT_EQ(state.system.seed, cellSeed(40, 2));  // the system was entered on the way
  EXPECT_EQ(state.tables, galaxy);
  EXPECT_TRUE(state.returnPositions.empty());
}

TEST_F(Navigation, AltOnTheGalaxyChangesNothing) {
  hold({SCAN_ALT});
  frameAt(101.0);
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);
  EXPECT_FALSE(state.changed);
  EXPECT_EQ(state.x, 10);
  hold({SCAN_SPACE});  // the level gate did not restart: Space acts at once
  frameAt(101.001);
  EXPECT_EQ(state.viewLevel, SYSTEM_LEVEL);
  EXPECT_FALSE(changeViewLevel(state = initViewState(3, 4), ALT_STEP));
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);
}

// Down to a planet and back up restores each level as it was left.
TEST_F(Navigation, TheWayBackUpRestoresEachLevel) {
  const ViewState startUp = initViewState(1234, 5678);
  ViewMap startUpMap = initViewMap(startUp.x, startUp.y);
  assembleViewMap(startUpMap, startUp);

  state = startUp;
  changeViewLevel(state, SPACE_STEP);  // into the system at (1234, 5678)
  const StarSystem system = state.system;
  const NoiseTables systemTables = state.tables;
  EXPECT_EQ(systemTables, noiseTablesFor(system.seed));
  state.x = 17;
  state.y = -4;
  changeViewLevel(state, SPACE_STEP);  // onto its planet
  EXPECT_EQ(state.viewLevel, PLANET_LEVEL);
  EXPECT_EQ(state.x, 0);
  state.x = 300;
  changeViewLevel(state, SPACE_STEP);  // a level without content keeps the position
  EXPECT_EQ(state.x, 300);
  state.x = 301;

  changeViewLevel(state, ALT_STEP);
  EXPECT_EQ(state.viewLevel, PLANET_LEVEL);
  EXPECT_EQ(state.x, 300);
  changeViewLevel(state, ALT_STEP);
  EXPECT_EQ(state.viewLevel, SYSTEM_LEVEL);
  EXPECT_EQ(state.x, 17);
  EXPECT_EQ(state.y, -4);
  EXPECT_EQ(state.system, system);  // kept, not generated from planet coordinates
  EXPECT_EQ(state.tables, systemTables);

  changeViewLevel(state, ALT_STEP);
  EXPECT_EQ(state.viewLevel, GALAXY_LEVEL);
  EXPECT_EQ(state.x, startUp.x);
  EXPECT_EQ(state.y, startUp.y);
  EXPECT_EQ(state.tables, startUp.tables);
  ViewMap map = initViewMap(state.x, state.y);
  assembleViewMap(map, state);
  EXPECT_EQ(map, startUpMap);
}

TEST_F(Navigation, EnteringASystemTakesTheGalaxyCellAndStartsAtTheOrigin) {
  state.x = 4321;
  state.y = 8765;
  StarSystem expected;
  NoiseTables expectedTables = state.tables;
  generateStarSystem(expected, expectedTables, 4321, 8765);

  changeViewLevel(state, 1);
  EXPECT_EQ(state.viewLevel, SYSTEM_LEVEL);
  EXPECT_TRUE(state.changed);
  EXPECT_EQ(state.system, expected);
  EXPECT_EQ(state.system.seed, cellSeed(4321, 8765));
  EXPECT_EQ(state.x, 0);
  EXPECT_EQ(state.y, 0);

  EXPECT_EQ(state.tables, expectedTables);
  state.x = 7;
  changeViewLevel(state, 1);
  EXPECT_EQ(state.viewLevel, PLANET_LEVEL);
  EXPECT_EQ(state.x, 0);
  EXPECT_EQ(state.system, expected);  // the system stays
  EXPECT_EQ(state.tables, expectedTables);

  state.x = 5;
  changeViewLevel(state, 1);  // no content above the planet: nothing but the level changes
  EXPECT_EQ(state.viewLevel, 5);
  EXPECT_EQ(state.x, 5);
}

}  // namespace
}  // namespace glyphverse
