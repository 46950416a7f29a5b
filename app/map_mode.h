#pragma once
// The map: the arrows walk, Space and Alt step the view level, and each frame
// the 61 x 61 cells around the explorer are brought up to date and drawn,
// with the text display over them.

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

  void handleHeldKeys(const HeldKeys& keys, double now) override;
  KeyUse handleKey(KeyCode /*key*/, double /*now*/) override { return KeyUse::unused; }
  void draw(Display& display, double now) override;

 private:
  ViewState& state_;
  ViewMap& map_;
  InputGates& gates_;
  const FrameMeter& meter_;
};

}  // namespace glyphverse
