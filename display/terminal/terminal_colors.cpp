#include "display/terminal/terminal_colors.h"

#include <array>
#include <cstdlib>
#include <string_view>

namespace glyphverse {
namespace {

constexpr std::array<int, 6> CUBE_LEVELS = {0, 95, 135, 175, 215, 255};
constexpr int GREY_FIRST = 232;  // 24 greys 8, 18, ... 238

int channel(Color rgb, int shift) {
  return static_cast<int>((rgb >> shift) & 0xFF);
}

int nearestCubeStep(int value) {
  int best = 0;
  for (int i = 1; i < 6; ++i) {
    if (std::abs(CUBE_LEVELS[i] - value) < std::abs(CUBE_LEVELS[best] - value)) best = i;
  }
  return best;
}

int distance(Color a, Color b) {
  int sum = 0;
  for (const int shift : {16, 8, 0}) {
    const int d = channel(a, shift) - channel(b, shift);
    sum += d * d;
  }
  return sum;
}

}  // namespace

ColorMode colorModeFrom(const char* noColor, const char* colorTerm) {
  if (noColor != nullptr && noColor[0] != '\0') return ColorMode::none;
  const std::string_view term = colorTerm != nullptr ? colorTerm : "";
  if (term == "truecolor" || term == "24bit") return ColorMode::trueColor;
  return ColorMode::palette256;
}

ColorMode colorModeFromEnvironment() {
  return colorModeFrom(std::getenv("NO_COLOR"), std::getenv("COLORTERM"));
}

Color paletteColor(int index) {
  if (index >= GREY_FIRST) {
    const auto grey = static_cast<Color>(8 + 10 * (index - GREY_FIRST));
    return grey << 16 | grey << 8 | grey;
  }
  const int cube = index - 16;
  return static_cast<Color>(CUBE_LEVELS[cube / 36]) << 16 |
         static_cast<Color>(CUBE_LEVELS[cube / 6 % 6]) << 8 |
         static_cast<Color>(CUBE_LEVELS[cube % 6]);
}

int nearestPaletteColor(Color rgb) {
  const int cube = 16 + 36 * nearestCubeStep(channel(rgb, 16)) +
                   6 * nearestCubeStep(channel(rgb, 8)) + nearestCubeStep(channel(rgb, 0));
  // The grey ramp is finer than the cube's greys: the nearest grey may win.
  const int average = (channel(rgb, 16) + channel(rgb, 8) + channel(rgb, 0)) / 3;
  const int greyStep = average < 8 ? 0 : average > 238 ? 23 : (average - 8 + 5) / 10;
  const int grey = GREY_FIRST + greyStep;
  return distance(rgb, paletteColor(grey)) < distance(rgb, paletteColor(cube)) ? grey : cube;
}

void appendColorParameters(std::string& out, ColorMode mode, bool foreground, Color rgb) {
  if (mode == ColorMode::none) return;
  out += foreground ? "38" : "48";
  if (mode == ColorMode::palette256) {
    out += ";5;" + std::to_string(nearestPaletteColor(rgb));
    return;
  }
  out += ";2;" + std::to_string(channel(rgb, 16)) + ';' + std::to_string(channel(rgb, 8)) + ';' +
         std::to_string(channel(rgb, 0));
}

}  // namespace glyphverse
