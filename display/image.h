#pragma once
// A rectangle of 32-bit pixels, rows top to bottom. Pages are images too.

#include <cstddef>
#include <vector>

#include "display/color.h"

namespace glyphverse {

// A rectangle of pixels: its top-left pixel and its size.
struct PixelRect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
  friend constexpr bool operator==(const PixelRect&, const PixelRect&) = default;
};

struct Image {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;  // width * height, row by row

  Image() = default;
  Image(int w, int h, Color fill)
      : width(w), height(h), pixels(static_cast<std::size_t>(w) * h, fill) {}

  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
  bool contains(const PixelRect& r) const {
    return r.x >= 0 && r.y >= 0 && r.width >= 0 && r.height >= 0 && r.x <= width - r.width &&
           r.y <= height - r.height;
  }
  Color& at(int x, int y) { return pixels[static_cast<std::size_t>(y) * width + x]; }
  Color at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace glyphverse
