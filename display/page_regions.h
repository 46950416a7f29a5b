#pragma once
// How a page is made up, for a presenter that shows it in character cells
// and may have room for only part of it: rectangles of 8 x 8 cells in
// reading order, each with the cell to keep in view when it must be cut.

#include <vector>

namespace glyphverse {

struct PageRegion {
  int left = 0;  // page pixel of the region's first cell
  int top = 0;
  int columns = 0;  // cells of 8 x 8 pixels
  int rows = 0;
  int focusColumn = 0;  // the cell kept in view, counted from the region's first
  int focusRow = 0;
};

using PageRegions = std::vector<PageRegion>;

// The whole page as one region, cut around its top-left corner.
inline PageRegions wholePage(int width, int height) {
  return {PageRegion{0, 0, width / 8, height / 8, 0, 0}};
}

}  // namespace glyphverse
