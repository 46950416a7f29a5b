#pragma once
// The desktop window, through SDL2.

#include <memory>

#include "display/backend.h"

namespace glyphverse {

// A backend that opens an SDL2 window; open() returns Surface::none when no
// window can be opened (no display server, for instance).
std::unique_ptr<DisplayBackend> makeSdlBackend();

}  // namespace glyphverse
