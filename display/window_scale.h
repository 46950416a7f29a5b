#pragma once
// Where a page goes in a window of any size: scaled by the largest whole
// factor that fits, so every page pixel stays a crisp square, and centred.

#include "display/image.h"

namespace glyphverse {

// The largest whole factor (at least 1) by which a page fits the output.
int wholeScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight);

// The factor by which a page is shown in an output of device pixels that may
// be smaller than it, where `density` device pixels make one of the pixels
// the page is meant for (a browser's devicePixelRatio). The largest whole
// factor that fits; where none does, the largest fraction that fits. On a
// dense screen (density 2 or more, where a pixel's fraction cannot be seen)
// a whole factor that leaves the page smaller than meant gives way to the
// largest scale that fits, up to the meant size: on a phone the page fills
// the width rather than a third of it.
double fittingScale(int pageWidth, int pageHeight, int outputWidth, int outputHeight,
                    double density);

// The page's rectangle in the output, centred; it overhangs an output smaller
// than the page.
PixelRect scaledPageRect(int pageWidth, int pageHeight, int outputWidth, int outputHeight);

// The whole factor that makes a page look its intended size on a display of
// the given density (96 dots per inch being factor 1).
int densityScale(float dotsPerInch);

}  // namespace glyphverse
