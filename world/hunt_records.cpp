#include "world/hunt_records.h"

#include <iterator>

namespace glyphverse {

void StarCensus::add(const StarCensus& other) {
  cells += other.cells;
  stars += other.stars;
  for (std::size_t i = 0; i < starCount.size(); ++i) starCount[i] += other.starCount[i];
  for (std::size_t i = 0; i < planetCount.size(); ++i) planetCount[i] += other.planetCount[i];
  for (std::size_t i = 0; i < nebIntens.size(); ++i) nebIntens[i] += other.nebIntens[i];
}

void HuntOutcome::add(HuntOutcome&& other) {
  census.add(other.census);
  systems.insert(systems.end(), std::make_move_iterator(other.systems.begin()),
                 std::make_move_iterator(other.systems.end()));
}

}  // namespace glyphverse
