#include "display/window_scale.h"

#include <algorithm>
#include <cmath>

namespace glyphverse {

int wholeScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight) {
  if (pageWidth <= 0 || pageHeight <= 0) return 1;
  return std::max(1, std::min(outputWidth / pageWidth, outputHeight / pageHeight));
}

double fittingScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight,
                    double density) {
  constexpr double DENSE = 2.0;
  if (pageWidth <= 0 || pageHeight <= 0) return 1.0;
  const double across = static_cast<double>(std::max(outputWidth, 1)) / pageWidth;
  const double down = static_cast<double>(std::max(outputHeight, 1)) / pageHeight;
  const double fit = std::min(across, down);
  const double whole = std::floor(fit);
  if (whole < 1.0) return fit;
  if (density >= DENSE && whole < density) return std::min(fit, density);
  return whole;
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
