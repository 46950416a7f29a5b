// Generators own their random sources: names, star systems and noise tables
// made on several threads at once equal those made on one. Run it under
// ThreadSanitizer (the tsan preset) to see that they share nothing.

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "gen/names.h"
#include "gen/noise.h"
#include "gen/star_system.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

constexpr int THREADS = 4;
constexpr int CELLS = 400;

struct Generated {
  std::vector<std::string> names;
  std::vector<StarSystem> systems;
  std::vector<NoiseTables> tables;
};

// Thread `part` of `parts` generates every cell whose index it is given,
// from the shared galaxy tables, which it only reads.
void generate(const NoiseTables& galaxy, int part, int parts, Generated& out) {
  for (int i = part; i < CELLS; i += parts) {
    const std::int32_t x = 1000 + 37 * i;
    const std::int32_t y = 2000 + 11 * i;
    out.names[i] = generateName(cellSeed(x, y));
    NoiseTables tables = galaxy;
    generateStarSystem(out.systems[i], tables, x, y);
    out.tables[i] = tables;
  }
}

Generated sized() {
  return {std::vector<std::string>(CELLS), std::vector<StarSystem>(CELLS),
          std::vector<NoiseTables>(CELLS)};
}

TEST(Generators, SeveralThreadsAtOnceGiveOneThreadsAnswers) {
  const NoiseTables galaxy = noiseTablesFor(INITIAL_NOISE_SEED);
  Generated alone = sized();
  generate(galaxy, 0, 1, alone);

  Generated together = sized();
  std::vector<std::thread> threads;
  for (int part = 0; part < THREADS; ++part) {
    threads.emplace_back([&, part] { generate(galaxy, part, THREADS, together); });
  }
  for (std::thread& thread : threads) thread.join();

  EXPECT_EQ(together.names, alone.names);
  EXPECT_EQ(together.systems, alone.systems);
  EXPECT_EQ(together.tables, alone.tables);
}

}  // namespace
}  // namespace glyphverse
