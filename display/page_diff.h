#pragma once
// Which rows of a page differ from a copy of it, and keeping the copy up to
// date: a window presents a page only when it shows something new, and then
// uploads only the rows that changed.

#include "display/image.h"

namespace glyphverse {

// Rows first .. first + count - 1: the first and the last row in which two
// pages differ, and all rows between. Empty (count 0) when they are equal.
struct RowSpan {
  int first = 0;
  int count = 0;
  bool empty() const { return count == 0; }
  friend constexpr bool operator==(const RowSpan&, const RowSpan&) = default;
};

// The rows of `page` that differ from `copy`; every row when the sizes differ.
RowSpan changedRows(const Image& page, const Image& copy);

// Makes `copy` equal to `page` again after changedRows found `rows`.
void updateCopy(const Image& page, RowSpan rows, Image& copy);

}  // namespace glyphverse
