#include "gen/places.h"

#include "gen/noise.h"
#include "gen/star_system.h"

namespace glyphverse {

const NoiseTables& galaxyTables() {
  return galaxyWorld().tables;
}

const LevelWorld& galaxyWorld() {
  static const LevelWorld world{GALAXY_LEVEL, noiseTablesFor(INITIAL_NOISE_SEED), StarSystem{}};
  return world;
}

LevelWorld worldAt(const Place& place) {
  LevelWorld world{place.viewLevel, galaxyTables(), StarSystem{}};
  if (place.viewLevel != GALAXY_LEVEL) {
    generateStarSystem(world.system, world.tables, place.galaxy.x, place.galaxy.y);
  }
  return world;
}

ViewState stateAt(const Place& place) {
  ViewState state;
  static_cast<LevelWorld&>(state) = worldAt(place);
  const Position here = positionOn(place);
  state.x = here.x;
  state.y = here.y;
  // Room for a few levels of depth, so stepping down does not allocate.
  state.returnPositions.reserve(8);
  if (place.viewLevel != GALAXY_LEVEL) {
    state.returnPositions.push_back(place.galaxy);
    state.returnPositions.resize(static_cast<std::size_t>(place.viewLevel - GALAXY_LEVEL));
  }
  return state;
}

void goTo(ViewState& state, const Place& place) {
  const bool sameWorld = place.viewLevel == state.viewLevel &&
                         (place.viewLevel == GALAXY_LEVEL ||
                          (!state.returnPositions.empty() &&
                           place.galaxy == Position{state.system.x, state.system.y}));
  if (!sameWorld) {
    StarSystem last = std::move(state.system);
    state = stateAt(place);
    if (place.viewLevel == GALAXY_LEVEL) state.system = std::move(last);
  }
  const Position here = positionOn(place);
  state.x = here.x;
  state.y = here.y;
  state.changed = true;
}

Place placeOf(const ViewState& state) {
  if (state.viewLevel == GALAXY_LEVEL) return galaxyPlace(state.x, state.y);
  return Place{state.viewLevel, {state.system.x, state.system.y}, {state.x, state.y}};
}

}  // namespace glyphverse
