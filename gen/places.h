#pragma once
// Places become the explorer's state. Entering the star system of a galaxy
// cell (its noise tables, colour and name) happens here and nowhere else.

#include "world/level_world.h"
#include "world/place.h"
#include "world/view_state.h"

namespace glyphverse {

// The galaxy's noise tables, built once; any thread may read them.
const NoiseTables& galaxyTables();
// The galaxy as a world of its own, for batches of its cells; built once,
// any thread may read it.
const LevelWorld& galaxyWorld();

// The world of the place's level: the galaxy under its own tables, or the
// star system at the place's galaxy cell, entered from the galaxy, with the
// system's tables in force.
LevelWorld worldAt(const Place& place);

// The explorer at `place` as walking there would leave it: on the galaxy at
// its cell; below it, having entered the system at the galaxy cell, pressed
// Space at once on each level down to the place's, and walked to its
// position, so that going back up returns to (0, 0) of each level between.
ViewState stateAt(const Place& place);

// The explorer travels to `place` and its map must be made afresh. Within
// the level and system it is in, only the position changes (the way back up
// is kept); anywhere else it is as stateAt, except that on the galaxy the
// last system entered is still remembered, as after going back up.
void goTo(ViewState& state, const Place& place);

// Where the explorer is.
Place placeOf(const ViewState& state);

}  // namespace glyphverse
