#pragma once
// F1: the keys, listed in a panel over the map.

#include "display/display.h"

namespace glyphverse {

void drawHelpPanel(Display& display);

}  // namespace glyphverse
