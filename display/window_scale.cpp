#include "display/window_scale.h"

#include <algorithm>
#include <cmath>

namespace glyphverse {

int wholeScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight) {
  if (pageWidth <= 0 || pageHeight <= 0) return 1;
  return std::max(1, std::min(outputWidth / pageWidth, outputHeight / pageHeight));
}

double fittingScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight) {
  if (pageWidth <= 0 || pageHeight <= 0) return 1.0;
  if (outputWidth >= pageWidth && outputHeight >= pageHeight) {
    return wholeScale(pageWidth, pageHeight, outputWidth, outputHeight);
  }
  const double across = static_cast<double>(std::max(outputWidth, 1)) / pageWidth;
  const double down = static_cast<double>(std::max(outputHeight, 1)) / pageHeight;
  return std::min({across, down, 1.0});
}

PixelRect scaledPageRect(int pageWidth, int pageHeight, int outputWidth, int outputHeight) {
  const int scale = wholeScale(pageWidth, pageHeight, outputWidth, outputHeight);
  const int width = pageWidth * scale;
  const int height = pageHeight * scale;
  return PixelRect{(outputWidth - width) / 2, (outputHeight - height) / 2, width, height};
}

int densityScale(float dotsPerInch) {
  constexpr float STANDARD_DPI = 96.0f;
  if (!(dotsPerInch > 0.0f)) return 1;
  return std::max(1, static_cast<int>(std::floor(dotsPerInch / STANDARD_DPI + 0.5f)));
}

}  // namespace glyphverse
