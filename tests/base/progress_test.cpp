#include "base/progress.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(ProgressLine, ShowsTheShareDoneTheRateAndTheTimeLeft) {
  // 25 of 100 in 2 s: 12.5 a second, so the other 75 take 6 s.
  EXPECT_EQ(progressLine(25, 100, 2.0, "cells"),
            "[######------------------]  25%  12.5 cells/s  0:06 left");
  // 600 000 of 7.8 million in 200 s: 3 000 a second, 40 minutes for the rest.
  EXPECT_EQ(progressLine(600000, 7800000, 200.0, "cells"),
            "[#-----------------------]   7%  3.0 k cells/s  40:00 left");
  EXPECT_EQ(progressLine(0, 100, 0.0, "cells"), "[------------------------]   0%");
}

}  // namespace
}  // namespace glyphverse
