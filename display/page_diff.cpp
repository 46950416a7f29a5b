#include "display/page_diff.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace glyphverse {
namespace {

bool sameRow(const Image& a, const Image& b, int y) {
  const std::size_t offset = static_cast<std::size_t>(y) * a.width;
  return std::memcmp(a.pixels.data() + offset, b.pixels.data() + offset,
                     static_cast<std::size_t>(a.width) * sizeof(Color)) == 0;
}

}  // namespace

RowSpan changedRows(const Image& page, const Image& copy) {
  if (page.width != copy.width || page.height != copy.height) return {0, page.height};
  int first = 0;
  while (first < page.height && sameRow(page, copy, first)) ++first;
  if (first == page.height) return {};
  int last = page.height - 1;
  while (sameRow(page, copy, last)) --last;
  return {first, last - first + 1};
}

void updateCopy(const Image& page, RowSpan rows, Image& copy) {
  if (page.width != copy.width || page.height != copy.height) {
    copy = page;
    return;
  }
  const auto begin = page.pixels.begin() + static_cast<std::ptrdiff_t>(rows.first) * page.width;
  std::copy(begin, begin + static_cast<std::ptrdiff_t>(rows.count) * page.width,
            copy.pixels.begin() + static_cast<std::ptrdiff_t>(rows.first) * page.width);
}

}  // namespace glyphverse
