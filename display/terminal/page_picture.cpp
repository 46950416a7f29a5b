#include "display/terminal/page_picture.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <utility>

#include "display/cp437.h"
#include "display/font.h"

namespace glyphverse {
namespace {

constexpr int BLOCK = GLYPH_SIZE;
constexpr char32_t UPPER_HALF_BLOCK = U'\u2580';

// A glyph's 64 pixels as one word: row 0 in the top byte, leftmost pixel first.
using Mask = std::uint64_t;

Mask bitOf(int row, int column) {
  return Mask{1} << (63 - (row * BLOCK + column));
}

// Every glyph shape of the font with its code; where codes share a shape,
// the first printable one.
const std::vector<std::pair<Mask, std::uint8_t>>& glyphShapes() {
  static const auto shapes = [] {
    std::vector<std::pair<Mask, std::uint8_t>> list;
    auto add = [&list](int code) {
      Mask mask = 0;
      for (int r = 0; r < BLOCK; ++r) mask = mask << 8 | FONT_8X8[code][r];
      list.emplace_back(mask, static_cast<std::uint8_t>(code));
    };
    for (int code = 32; code < 256; ++code) add(code);
    for (int code = 1; code < 32; ++code) add(code);
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    list.erase(std::unique(list.begin(), list.end(),
                           [](const auto& a, const auto& b) { return a.first == b.first; }),
               list.end());
    return list;
  }();
  return shapes;
}

const std::uint8_t* glyphWithShape(Mask mask) {
  const auto& shapes = glyphShapes();
  const auto at = std::lower_bound(shapes.begin(), shapes.end(), mask,
                                   [](const auto& entry, Mask m) { return entry.first < m; });
  return at != shapes.end() && at->first == mask ? &at->second : nullptr;
}

const Color* pixelAt(const Image& page, int x, int y) {
  return &page.pixels[static_cast<std::size_t>(y) * page.width + x];
}

struct ColorPixels {
  Color rgb = 0;
  Mask mask = 0;
};

Color averageOf(const Image& page, int x, int y, Mask where) {
  std::uint32_t sum[3] = {0, 0, 0};
  int count = 0;
  for (int r = 0; r < BLOCK; ++r) {
    for (int c = 0; c < BLOCK; ++c) {
      if ((where & bitOf(r, c)) == 0) continue;
      const Color p = page.at(x + c, y + r);
      sum[0] += (p >> 16) & 0xFF;
      sum[1] += (p >> 8) & 0xFF;
      sum[2] += p & 0xFF;
      ++count;
    }
  }
  if (count == 0) return 0;
  const auto mean = [count](std::uint32_t total) { return (total + count / 2) / count; };
  return mean(sum[0]) << 16 | mean(sum[1]) << 8 | mean(sum[2]);
}

}  // namespace

TerminalCell cellOfBlock(const Image& page, int x, int y) {
  std::array<ColorPixels, BLOCK * BLOCK> colours{};
  int distinct = 0;
  for (int r = 0; r < BLOCK; ++r) {
    for (int c = 0; c < BLOCK; ++c) {
      const Color rgb = rgbOf(page.at(x + c, y + r));
      int k = 0;
      while (k < distinct && colours[k].rgb != rgb) ++k;
      if (k == distinct) colours[distinct++].rgb = rgb;
      colours[k].mask |= bitOf(r, c);
    }
  }
  if (distinct == 1) return blankCell(colours[0].rgb);

  // The glyph drawn last shows whole, in one colour: of the colours whose
  // pixels form a glyph, the one with the fewest is taken to be on top.
  const ColorPixels* top = nullptr;
  const std::uint8_t* code = nullptr;
  for (int k = 0; k < distinct; ++k) {
    const std::uint8_t* glyph = glyphWithShape(colours[k].mask);
    if (glyph == nullptr) continue;
    if (top == nullptr || std::popcount(colours[k].mask) < std::popcount(top->mask)) {
      top = &colours[k];
      code = glyph;
    }
  }
  if (top != nullptr) {
    const Color back =
        distinct == 2 ? colours[&colours[0] == top ? 1 : 0].rgb : averageOf(page, x, y, ~top->mask);
    return TerminalCell{cp437ToUnicode(*code), top->rgb, back};
  }
  constexpr Mask TOP_HALF = 0xFFFFFFFF00000000u;
  const Color upper = averageOf(page, x, y, TOP_HALF);
  const Color lower = averageOf(page, x, y, ~TOP_HALF);
  if (upper == lower) return blankCell(upper);
  return TerminalCell{UPPER_HALF_BLOCK, upper, lower};
}

const TerminalCell& PagePicture::cellFor(Slot& slot, const Image& page, int x, int y) {
  bool same = slot.x == x && slot.y == y;
  for (int r = 0; r < BLOCK && same; ++r) {
    same =
        std::memcmp(pixelAt(page, x, y + r), &slot.pixels[r * BLOCK], BLOCK * sizeof(Color)) == 0;
  }
  if (!same) {
    for (int r = 0; r < BLOCK; ++r) {
      std::memcpy(&slot.pixels[r * BLOCK], pixelAt(page, x, y + r), BLOCK * sizeof(Color));
    }
    slot.x = x;
    slot.y = y;
    slot.cell = cellOfBlock(page, x, y);
  }
  return slot.cell;
}

void PagePicture::draw(const Image& page, const PageRegions& regions, int rows, int columns,
                       std::vector<TerminalCell>& cells) {
  const std::size_t count = static_cast<std::size_t>(std::max(rows, 0)) * std::max(columns, 0);
  cells.assign(count, blankCell(0));
  if (slots_.size() != count) slots_.assign(count, Slot{});
  int row = 0;
  for (std::size_t i = 0; i < regions.size() && row < rows; ++i) {
    const PageRegion& region = regions[i];
    if (i > 0) ++row;  // a blank row between regions
    const int shownRows = std::clamp(rows - row, 0, region.rows);
    const int shownColumns = std::min(region.columns, columns);
    const int firstRow = std::clamp(region.focusRow - shownRows / 2, 0, region.rows - shownRows);
    const int firstColumn =
        std::clamp(region.focusColumn - shownColumns / 2, 0, region.columns - shownColumns);
    const int natural = region.left / BLOCK;
    const int left = natural + region.columns <= columns ? natural : (columns - shownColumns) / 2;
    for (int r = 0; r < shownRows; ++r) {
      for (int c = 0; c < shownColumns; ++c) {
        const int x = region.left + BLOCK * (firstColumn + c);
        const int y = region.top + BLOCK * (firstRow + r);
        if (x < 0 || y < 0 || x + BLOCK > page.width || y + BLOCK > page.height) continue;
        const std::size_t at = static_cast<std::size_t>(row + r) * columns + left + c;
        cells[at] = cellFor(slots_[at], page, x, y);
      }
    }
    row += shownRows;
  }
}

}  // namespace glyphverse
