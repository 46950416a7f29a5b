#pragma once
// The browser: the visible page drawn into a canvas of the web page, scaled
// by whole factors to fit the browser window, and the keyboard through the
// page's key events. Built with Emscripten only.

#include <memory>
#include <string>

#include "display/backend.h"

namespace glyphverse {

// A backend for the canvas that `canvasSelector` names (for example
// "#screen"). Its sleep returns at once: a browser must never be kept
// waiting; the frames are paced by the browser's animation callback.
std::unique_ptr<DisplayBackend> makeCanvasBackend(std::string canvasSelector);

}  // namespace glyphverse
