#pragma once
// How colours reach a terminal: as 24-bit values where it says it shows
// them, as the nearest of the 256 xterm colours elsewhere, or not at all.

#include <cstdint>
#include <string>

#include "display/color.h"

namespace glyphverse {

enum class ColorMode { none, palette256, trueColor };

// NO_COLOR set to anything but "" means no colour; COLORTERM truecolor or
// 24bit means 24-bit colour; anything else gets the 256-colour palette.
ColorMode colorModeFrom(const char* noColor, const char* colorTerm);
ColorMode colorModeFromEnvironment();

// The index (16 to 255) of the xterm colour nearest to `rgb`: the 6 x 6 x 6
// cube or the grey ramp.
int nearestPaletteColor(Color rgb);
// The red, green and blue of a palette index 16 to 255.
Color paletteColor(int index);

// Appends the SGR parameters that set the foreground (or background) colour,
// e.g. "38;2;1;2;3" or "48;5;17"; nothing for ColorMode::none.
void appendColorParameters(std::string& out, ColorMode mode, bool foreground, Color rgb);

}  // namespace glyphverse
