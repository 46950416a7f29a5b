#include "gen/view_map.h"

#include <gtest/gtest.h>

#include <random>

#include "gen/cells.h"
#include "gen/noise.h"
#include "gen/star_system.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// The map assembled the slow, obvious way: every cell from the per-cell generators.
ViewMap referenceMap(const ViewState& state) {
  ViewMap map = initViewMap(state.x, state.y);
  for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
    for (int i = -MAP_RADIUS; i <= MAP_RADIUS; ++i) {
      const std::int32_t x = state.x + i;
      const std::int32_t y = state.y + j;
      const int index = mapIndex(i, j);
      switch (state.viewLevel) {
        case GALAXY_LEVEL:
          map.background[index] = nebulaCellAt(x, y);
          map.foreground[index] = starCellAt(x, y);
          break;
        case SYSTEM_LEVEL:
          map.background[index] = systemBackgroundAt(x, y, state.system);
          break;
        case PLANET_LEVEL:
          map.terrain[index] = terrainClassAt(x, y);
          break;
        default:
          break;
      }
    }
  }
  map.rebuildAll = false;
  return map;
}

ViewState stateAt(std::int32_t x, std::int32_t y, std::int32_t level) {
  ViewState state;
  state.x = x;
  state.y = y;
  state.viewLevel = level;
  return state;
}

ViewMap freshlyAssembled(const ViewState& state) {
  ViewMap map = initViewMap(state.x, state.y);
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS);
  return map;
}

class ViewMapAssembly : public ::testing::Test {
 protected:
  void SetUp() override { buildNoiseTables(INITIAL_NOISE_SEED); }
};

TEST_F(ViewMapAssembly, FreshMapMatchesTheCellGeneratorsOnEveryLevel) {
  StarSystem system;
  generateStarSystem(system, 10, 10);  // its tables now in force, as after entering it
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = stateAt(1000, 2000, level);
    state.system = system;
    EXPECT_EQ(freshlyAssembled(state), referenceMap(state)) << level;
  }
}

TEST_F(ViewMapAssembly, LayersOfEachLevel) {
  StarSystem system;
  generateStarSystem(system, 3, 4);
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = stateAt(500, 500, level);
    state.system = system;
    const ViewMap map = freshlyAssembled(state);
    bool anyTerrain = false;
    bool anyBackground = false;
    bool anyForeground = false;
    for (int n = 0; n < MAP_CELLS; ++n) {
      anyTerrain = anyTerrain || map.terrain[n] != 0;
      anyBackground = anyBackground || !isEmpty(map.background[n]);
      anyForeground = anyForeground || !isEmpty(map.foreground[n]);
    }
    EXPECT_EQ(anyTerrain, level == 4) << level;
    EXPECT_EQ(anyBackground, level != 4) << level;
    EXPECT_EQ(anyForeground, level == 2) << level;
  }
}

TEST_F(ViewMapAssembly, LevelsWithoutContentGiveAnEmptyMapAroundThePosition) {
  for (const std::int32_t level : {0, 1, 5, -3}) {
    const ViewMap map = freshlyAssembled(stateAt(77, 99, level));
    ViewMap empty = initViewMap(77, 99);
    empty.rebuildAll = false;
    EXPECT_EQ(map, empty) << level;
  }
}

TEST_F(ViewMapAssembly, NoMoveGeneratesNothing) {
  const ViewState state = stateAt(40, 40, GALAXY_LEVEL);
  ViewMap map = freshlyAssembled(state);
  const ViewMap before = map;
  EXPECT_EQ(assembleViewMap(map, state), 0);
  EXPECT_EQ(map, before);
}

TEST_F(ViewMapAssembly, OneStepGeneratesOnlyTheCellsThatScrolledIn) {
  ViewState state = stateAt(40, 40, GALAXY_LEVEL);
  ViewMap map = freshlyAssembled(state);
  const ViewMap old = map;

  state.x += 1;
  EXPECT_EQ(assembleViewMap(map, state), MAP_SIDE);
  for (int i = -MAP_RADIUS; i < MAP_RADIUS; ++i) {
    for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
      ASSERT_EQ(map.background[mapIndex(i, j)], old.background[mapIndex(i + 1, j)]);
    }
  }
  EXPECT_EQ(map, referenceMap(state));

  const ViewMap beforeUp = map;
  state.y -= 1;
  EXPECT_EQ(assembleViewMap(map, state), MAP_SIDE);
  for (int i = -MAP_RADIUS; i <= MAP_RADIUS; ++i) {
    for (int j = -MAP_RADIUS + 1; j <= MAP_RADIUS; ++j) {
      ASSERT_EQ(map.foreground[mapIndex(i, j)], beforeUp.foreground[mapIndex(i, j - 1)]);
    }
  }
  EXPECT_EQ(map, referenceMap(state));

  state.x -= 1;
  state.y += 1;
  EXPECT_EQ(assembleViewMap(map, state), 2 * MAP_SIDE - 1);  // a diagonal step
  EXPECT_EQ(map, referenceMap(state));
}

// A move of n <= 60 cells along an axis still finds 61 - n columns (or rows) of
// the old map; a longer one, or a rebuild, generates every cell.
TEST_F(ViewMapAssembly, LongMovesAndRebuilds) {
  ViewState state = stateAt(100, 100, PLANET_LEVEL);
  ViewMap map = freshlyAssembled(state);
  state.x += 31;
  EXPECT_EQ(assembleViewMap(map, state), 31 * MAP_SIDE);
  state.y -= 45;
  EXPECT_EQ(assembleViewMap(map, state), 45 * MAP_SIDE);
  state.x += 10;
  state.y += 60;
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS - 51 * 1);
  EXPECT_EQ(map, referenceMap(state));
  state.x -= 61;
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS);
  map.rebuildAll = true;
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS);
  EXPECT_EQ(map, referenceMap(state));
  EXPECT_FALSE(map.rebuildAll);
}

TEST_F(ViewMapAssembly, CrossingTheWorldEdgeRebuildsFromUnwrappedPositions) {
  ViewState state = stateAt(WORLD_SIZE - 1, 20, GALAXY_LEVEL);
  ViewMap map = freshlyAssembled(state);
  state.x = 0;
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS);
  EXPECT_EQ(map, referenceMap(state));
  for (int i = -MAP_RADIUS; i <= MAP_RADIUS; ++i) {
    ASSERT_EQ(map.background[mapIndex(i, 0)], nebulaCellAt(i, 20));
    ASSERT_EQ(map.foreground[mapIndex(i, 0)], starCellAt(i, 20));
  }
}

// Incremental updates must never drift from a full rebuild, on any level and
// across the world's edges.
TEST_F(ViewMapAssembly, RandomWalksMatchFullRebuilds) {
  StarSystem system;
  generateStarSystem(system, 123456, 654321);
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> step(-2, 2);
  std::uniform_int_distribution<int> jump(0, 19);
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = stateAt(WORLD_SIZE - 3, 2, level);
    state.system = system;
    ViewMap map = freshlyAssembled(state);
    for (int move = 0; move < 150; ++move) {
      const int size = jump(random) == 0 ? 25 : 1;  // now and then a long move
      state.x = wrapCoordinate(static_cast<std::int64_t>(state.x) + step(random) * size);
      state.y = wrapCoordinate(static_cast<std::int64_t>(state.y) + step(random) * size);
      assembleViewMap(map, state);
      ASSERT_EQ(map, freshlyAssembled(state)) << level << " move " << move;
      ASSERT_EQ(map.originX, state.x);
      ASSERT_EQ(map.originY, state.y);
      if (move % 25 == 0) {
        ASSERT_EQ(map, referenceMap(state)) << level << " move " << move;
      }
    }
  }
}

}  // namespace
}  // namespace glyphverse
