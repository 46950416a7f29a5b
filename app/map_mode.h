#pragma once
// The map: the arrows walk, Space and Alt step the view level, and each frame
// the 61 x 61 cells around the explorer are brought up to date and drawn,
// with the text display over them. A click or tap on a cell walks there; a
// swipe walks a cell for each cell the pointer crosses.

#include <cstdint>
#include <optional>

#include "app/mode.h"
#include "app/navigation.h"
#include "app/timing.h"
#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr int MAP_LEFT = 50;
inline constexpr int MAP_TOP = 50;

class MapMode final : public Mode {
 public:
  MapMode(ViewState& state, ViewMap& map, InputGates& gates, const FrameMeter& meter)
      : state_(state), map_(map), gates_(gates), meter_(meter) {}

  // The arrows and Space and Alt, then one step of a walk the pointer asked
  // for, through the same move gate as the arrows.
  void handleHeldKeys(const HeldKeys& keys, double now) override;
  KeyUse handleKey(KeyCode /*key*/, double /*now*/) override { return KeyUse::unused; }
  // A press and release on a map cell sets off a walk to it; a drag walks
  // in its direction. Presses off the map are left to the modes beneath.
  KeyUse handlePointer(const PointerEvent& event, double now) override;
  void draw(Display& display, double now) override;

 private:
  // Cells still to walk, from where the explorer is.
  struct Walk {
    std::int32_t dx = 0;
    std::int32_t dy = 0;
  };
  struct Press {
    int x = 0;
    int y = 0;
    Walk swiped;  // cells the drag has asked for so far
    bool dragging = false;
  };
  void stepTowardsWalkEnd(double now);

  ViewState& state_;
  ViewMap& map_;
  InputGates& gates_;
  const FrameMeter& meter_;
  Walk walk_;
  std::optional<Press> press_;
};

}  // namespace glyphverse
