#pragma once
// Colours are 32-bit 0xAARRGGBB values; pages and images keep all 32 bits,
// the window shows red, green and blue.

#include <cstdint>

namespace glyphverse {

using Color = std::uint32_t;

inline constexpr Color DEFAULT_FOREGROUND = 0xFFFFFFFF;
inline constexpr Color DEFAULT_BACKGROUND = 0xFF000000;
// putImageKeyed skips pixels whose low 24 bits are this colour, whatever their alpha.
inline constexpr Color KEY_COLOR = 0xFF00FF;
// What a new image is filled with: the colour key, opaque.
inline constexpr Color IMAGE_FILL = 0xFFFF00FF;

constexpr Color rgbOf(Color c) {
  return c & 0x00FFFFFF;
}

}  // namespace glyphverse
