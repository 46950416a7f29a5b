#include "display/window_scale.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(WindowScale, LargestWholeFactorThatFits) {
  EXPECT_EQ(wholeScale(600, 600, 600, 600), 1);
  EXPECT_EQ(wholeScale(600, 600, 1199, 2000), 1);
  EXPECT_EQ(wholeScale(600, 600, 1300, 1250), 2);
  EXPECT_EQ(wholeScale(600, 600, 3840, 2160), 3);
  EXPECT_EQ(wholeScale(600, 600, 300, 300), 1);  // never below 1
}

TEST(WindowScale, FitsSmallerOutputsByAFraction) {
  EXPECT_EQ(fittingScale(600, 600, 1300, 1250, 1.0), 2.0);
  EXPECT_EQ(fittingScale(600, 600, 1920, 950, 1.25), 1.0);   // whole where one fits
  EXPECT_EQ(fittingScale(600, 600, 390, 650, 1.0), 0.65);    // a phone held upright
  EXPECT_EQ(fittingScale(600, 600, 600, 330, 1.0), 0.55);    // and on its side
  EXPECT_EQ(fittingScale(600, 600, 1170, 1950, 3.0), 1.95);  // a dense phone: its width
  EXPECT_EQ(fittingScale(600, 600, 2880, 1700, 2.0), 2.0);   // a dense laptop: whole
  EXPECT_GT(fittingScale(600, 600, 0, 0, 1.0), 0.0);
}

TEST(WindowScale, PageIsCentred) {
  EXPECT_EQ(scaledPageRect(600, 600, 600, 600), (PixelRect{0, 0, 600, 600}));
  EXPECT_EQ(scaledPageRect(600, 600, 1300, 1250), (PixelRect{50, 25, 1200, 1200}));
  EXPECT_EQ(scaledPageRect(600, 600, 3840, 2160), (PixelRect{1020, 180, 1800, 1800}));
  EXPECT_EQ(scaledPageRect(600, 600, 500, 700), (PixelRect{-50, 50, 600, 600}));
}

TEST(WindowScale, DensityFactor) {
  EXPECT_EQ(densityScale(96), 1);
  EXPECT_EQ(densityScale(110), 1);
  EXPECT_EQ(densityScale(144), 2);
  EXPECT_EQ(densityScale(192), 2);
  EXPECT_EQ(densityScale(288), 3);
  EXPECT_EQ(densityScale(0), 1);  // unknown density
}

}  // namespace
}  // namespace glyphverse
