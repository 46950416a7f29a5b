#pragma once
// F1: the keys, listed in a panel over the map.

#include "app/mode.h"

namespace glyphverse {

void drawHelpPanel(Display& display);

// The panel as a mode over the others: it only shows, so held keys go on
// moving what is beneath it.
class HelpPanel final : public Mode {
 public:
  KeyUse handleKey(KeyCode /*key*/, double /*now*/) override { return KeyUse::unused; }
  void draw(Display& display, double /*now*/) override { drawHelpPanel(display); }
  bool takesHeldKeys() const override { return false; }
};

}  // namespace glyphverse
