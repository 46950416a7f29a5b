#include "gen/star_system.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "gen/names.h"
#include "gen/noise.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

TEST(CountTables, WeightsOfEachCount) {
  auto weight = [](const auto& table, int value) {
    return std::count(table.begin(), table.end(), value);
  };
  EXPECT_TRUE(std::is_sorted(STAR_COUNT_TABLE.begin(), STAR_COUNT_TABLE.end()));
  EXPECT_TRUE(std::is_sorted(PLANET_COUNT_TABLE.begin(), PLANET_COUNT_TABLE.end()));
  const int starWeights[] = {19, 7, 3, 1, 1, 1};
  for (int v = 0; v <= 5; ++v) EXPECT_EQ(weight(STAR_COUNT_TABLE, v), starWeights[v]) << v;
  const int planetWeights[] = {16, 3, 3, 2, 2, 1, 1, 1, 1, 1, 1};
  for (int v = 0; v <= 10; ++v) EXPECT_EQ(weight(PLANET_COUNT_TABLE, v), planetWeights[v]) << v;
}

TEST(GenerateStarSystem, TheSystemAtTenTen) {
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem system;
  system.name = "left over";
  generateStarSystem(system, tables, 10, 10);
  EXPECT_EQ(system.x, 10);
  EXPECT_EQ(system.y, 10);
  EXPECT_EQ(system.seed, 167772170.0);
  EXPECT_EQ(system.size, 2048);
  EXPECT_EQ(system.starCount, 5);
  EXPECT_EQ(system.planetCount, 0);
  EXPECT_EQ(system.bodyCount, 5);
  EXPECT_EQ(system.nebColor, 0xFF0E0D0Eu);
  EXPECT_EQ(system.nebIntens, 14);
  EXPECT_EQ(system.name, generateName(167772170.0));
  const std::array<int, 8> permStart = {194, 38, 227, 185, 168, 230, 7, 4};
  for (int i = 0; i < 8; ++i) EXPECT_EQ(tables.perm[i], permStart[i]) << i;
  EXPECT_EQ(tables.seed, system.seed);
}

TEST(GenerateStarSystem, FieldsStayInTheirRanges) {
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  for (int i = 0; i < 300; ++i) {
    const std::int32_t x = (i * 7919) % WORLD_SIZE;
    const std::int32_t y = (i * 104729 + 13) % WORLD_SIZE;
    StarSystem system;
    generateStarSystem(system, tables, x, y);
    ASSERT_GE(system.starCount, 0);
    ASSERT_LE(system.starCount, 5);
    ASSERT_GE(system.planetCount, 0);
    ASSERT_LE(system.planetCount, 10);
    ASSERT_EQ(system.bodyCount, system.starCount + system.planetCount);
    ASSERT_EQ(system.nebColor >> 24, 0xFFu);
    const auto channels = {system.nebColor >> 16 & 0xFF, system.nebColor >> 8 & 0xFF,
                           system.nebColor & 0xFF};
    ASSERT_EQ(system.nebIntens, std::max(channels));
    ASSERT_EQ(system.seed, cellSeed(x, y));
  }
}

TEST(GenerateStarSystem, SamePositionAndTablesGiveTheSameSystemAndTables) {
  NoiseTables firstTables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem first;
  generateStarSystem(first, firstTables, 4000, 123);

  NoiseTables secondTables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem second;
  generateStarSystem(second, secondTables, 4000, 123);
  EXPECT_EQ(second, first);
  EXPECT_EQ(secondTables, firstTables);
  EXPECT_EQ(noiseTablesFor(first.seed), firstTables);  // rebuilding from the seed changes nothing
}

TEST(GenerateStarSystem, ColourFollowsTheTablesInForce) {
  NoiseTables tables = noiseTablesFor(INITIAL_NOISE_SEED);
  StarSystem first;
  generateStarSystem(first, tables, 77, 88);
  const NoiseTables firstTables = tables;
  StarSystem other;
  generateStarSystem(other, tables, 5, 6);  // now the other system's tables are in force
  StarSystem again;
  generateStarSystem(again, tables, 77, 88);
  EXPECT_EQ(again.seed, first.seed);
  EXPECT_EQ(again.starCount, first.starCount);
  EXPECT_EQ(again.planetCount, first.planetCount);
  EXPECT_EQ(again.name, first.name);
  EXPECT_EQ(tables, firstTables);
}

}  // namespace
}  // namespace glyphverse
