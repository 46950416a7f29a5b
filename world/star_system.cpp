#include "world/star_system.h"

namespace glyphverse {

void clearStarSystem(StarSystem& system) {
  system = StarSystem{};
}

}  // namespace glyphverse
