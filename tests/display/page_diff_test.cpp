#include "display/page_diff.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(PageDiff, FindsTheSpanOfChangedRowsAndBringsTheCopyUpToDate) {
  const Image page(10, 12, 0xFF000000);
  Image copy = page;
  EXPECT_TRUE(changedRows(page, copy).empty());

  copy.at(9, 3) = 0x00000000;  // only the alpha byte differs: still a change
  copy.at(0, 7) = 0xFF000001;
  EXPECT_EQ(changedRows(page, copy), (RowSpan{3, 5}));
  updateCopy(page, changedRows(page, copy), copy);
  EXPECT_EQ(copy.pixels, page.pixels);

  copy.at(4, 11) = 1;
  EXPECT_EQ(changedRows(page, copy), (RowSpan{11, 1}));
  const Image nothingShownYet;
  EXPECT_EQ(changedRows(page, nothingShownYet), (RowSpan{0, 12}));
  Image fresh;
  updateCopy(page, changedRows(page, fresh), fresh);
  EXPECT_EQ(fresh.pixels, page.pixels);
}

}  // namespace
}  // namespace glyphverse
