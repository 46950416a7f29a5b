#pragma once
// Where a page goes in a window of any size: scaled by the largest whole
// factor that fits, so every page pixel stays a crisp square, and centred.

#include "display/image.h"

namespace glyphverse {

// The largest whole factor (at least 1) by which a page fits the output.
int wholeScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight);

// The factor by which a page is shown in an output that may be smaller than
// it: the largest whole factor where the page fits at all, or else the
// largest fraction at which it fits (never above 1).
double fittingScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight);

// The page's rectangle in the output, centred; it overhangs an output smaller
// than the page.
PixelRect scaledPageRect(int pageWidth, int pageHeight, int outputWidth, int outputHeight);

// The whole factor that makes a page look its intended size on a display of
// the given density (96 dots per inch being factor 1).
int densityScale(float dotsPerInch);

}  // namespace glyphverse
