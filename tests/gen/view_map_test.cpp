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
      const CellContent cell =
          cellAt(state.tables, state.viewLevel, state.system, state.x + i, state.y + j);
      const int index = mapIndex(i, j);
      map.background[index] = cell.background;
      map.foreground[index] = cell.foreground;
      map.terrain[index] = cell.terrain;
    }
  }
  map.rebuildAll = false;
  return map;
}

const NoiseTables& galaxy() {
  static const NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  return tables;
}

ViewState stateAt(std::int32_t x, std::int32_t y, std::int32_t level) {
  ViewState state;
  state.x = x;
  state.y = y;
  state.viewLevel = level;
  state.tables = galaxy();
  return state;
}

// A system entered from the galaxy: its record and its tables.
ViewState systemState(std::int32_t gx, std::int32_t gy) {
  ViewState state = stateAt(0, 0, SYSTEM_LEVEL);
  generateStarSystem(state.system, state.tables, gx, gy);
  return state;
}

ViewMap freshlyAssembled(const ViewState& state) {
  ViewMap map = initViewMap(state.x, state.y);
  EXPECT_EQ(assembleViewMap(map, state), MAP_CELLS);
  return map;
}

class ViewMapAssembly : public ::testing::Test {};

TEST_F(ViewMapAssembly, FreshMapMatchesTheCellGeneratorsOnEveryLevel) {
  const ViewState entered = systemState(10, 10);  // its tables now in force
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = entered;
    state.x = 1000;
    state.y = 2000;
    state.viewLevel = level;
    EXPECT_EQ(freshlyAssembled(state), referenceMap(state)) << level;
  }
}

// The map depends on the state it is given alone: generating a star system
// elsewhere in between (with tables of its own) changes nothing.
TEST_F(ViewMapAssembly, SameStateGivesTheSameMapWhateverWasGeneratedInBetween) {
  const ViewState state = stateAt(700, 800, GALAXY_LEVEL);
  const ViewMap first = freshlyAssembled(state);
  const ViewState other = systemState(700, 800);
  EXPECT_NE(other.tables, state.tables);
  EXPECT_EQ(freshlyAssembled(state), first);
}

TEST_F(ViewMapAssembly, LayersOfEachLevel) {
  const ViewState entered = systemState(3, 4);
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = entered;
    state.x = 500;
    state.y = 500;
    state.viewLevel = level;
    const ViewMap map = freshlyAssembled(state);
    bool anyTerrain = false;
    bool anyBackground = false;
    bool anyForeground = false;
    for (int n = 0; n < MAP_CELLS; ++n) {
      anyTerrain = anyTerrain || map.terrain[n] != TerrainClass::none;
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
    ASSERT_EQ(map.background[mapIndex(i, 0)], nebulaCellAt(galaxy(), i, 20));
    ASSERT_EQ(map.foreground[mapIndex(i, 0)], starCellAt(galaxy(), i, 20));
  }
}

// Incremental updates must never drift from a full rebuild, on any level and
// across the world's edges.
TEST_F(ViewMapAssembly, RandomWalksMatchFullRebuilds) {
  const ViewState entered = systemState(123456, 654321);
  std::mt19937 random(2024);
  std::uniform_int_distribution<int> step(-2, 2);
  std::uniform_int_distribution<int> jump(0, 19);
  for (const std::int32_t level : {2, 3, 4}) {
    ViewState state = entered;
    state.x = WORLD_SIZE - 3;
    state.y = 2;
    state.viewLevel = level;
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
