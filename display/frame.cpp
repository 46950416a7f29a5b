#include "display/frame.h"

#include <algorithm>

#include "display/font.h"

namespace glyphverse {
namespace {

bool overlaps(const PixelRect& a, const PixelRect& b) {
  return a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
}

PixelRect unionOf(const PixelRect& a, const PixelRect& b) {
  const int left = std::min(a.x, b.x);
  const int top = std::min(a.y, b.y);
  const int right = std::max(a.x + a.width, b.x + b.width);
  const int bottom = std::max(a.y + a.height, b.y + b.height);
  return {left, top, right - left, bottom - top};
}

}  // namespace

PixelRect MapPlace::area() const {
  return {left, top, GLYPH_SIZE * columns(), GLYPH_SIZE * rows()};
}

void Frame::reset(int rows, int columns, Color background) {
  rows_ = std::max(0, rows);
  columns_ = std::max(0, columns);
  const auto cells = static_cast<std::size_t>(rows_) * columns_;
  text_.assign(cells, TextCell{});
  stamps_.assign(cells, 0);
  stamp_ = 1;
  clear(background);
}

void Frame::clear(Color background) {
  background_ = background;
  if (++stamp_ == 0) {  // after four billion frames the stamps start again
    std::fill(stamps_.begin(), stamps_.end(), 0);
    stamp_ = 1;
  }
  hasMap_ = false;
  pixels_.reset();
  panels_.clear();
  textCells_ = 0;
}

void Frame::putText(int row, int column, const TextCell& cell) {
  if (row < 1 || row > rows_ || column < 1 || column > columns_) return;
  const auto at = static_cast<std::size_t>(row - 1) * columns_ + (column - 1);
  text_[at] = cell;
  stamps_[at] = stamp_;
  ++textCells_;
}

const TextCell* Frame::textAt(int row, int column) const {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return nullptr;
  const auto at = static_cast<std::size_t>(row) * columns_ + column;
  return stamps_[at] == stamp_ ? &text_[at] : nullptr;
}

std::vector<std::string> Frame::textRows() const {
  std::vector<std::string> rows(static_cast<std::size_t>(rows_), std::string(columns_, ' '));
  for (int row = 0; row < rows_; ++row) {
    for (int column = 0; column < columns_; ++column) {
      if (const TextCell* cell = textAt(row, column); cell != nullptr && cell->code != 0) {
        rows[row][column] = static_cast<char>(cell->code);
      }
    }
  }
  return rows;
}

MapPicture* Frame::setMap(const MapPlace& place, GlyphStyle marker, std::uint64_t contentId) {
  hasMap_ = true;
  map_.marker = marker;
  hideTextUnder(place.area());
  if (contentId != 0 && contentId == mapContentId_ && place == map_.place) return nullptr;
  map_.place = place;
  const std::size_t cells = place.cellCount();
  map_.background.resize(cells);
  map_.foreground.resize(cells);
  map_.tileNumber.resize(cells);
  mapContentId_ = contentId;
  return &map_;
}

void Frame::addPixels(const PixelRect& area) {
  if (area.width <= 0 || area.height <= 0) return;
  pixels_ = pixels_ ? unionOf(*pixels_, area) : area;
  hideTextUnder(area);
}

void Frame::hideTextUnder(const PixelRect& area) {
  if (textCells_ == 0) return;  // the usual frame: pictures first, text over them
  const int firstRow = std::max(0, area.y / GLYPH_SIZE);
  const int lastRow = std::min(rows_ - 1, (area.y + area.height - 1) / GLYPH_SIZE);
  const int firstColumn = std::max(0, area.x / GLYPH_SIZE);
  const int lastColumn = std::min(columns_ - 1, (area.x + area.width - 1) / GLYPH_SIZE);
  for (int row = firstRow; row <= lastRow; ++row) {
    for (int column = firstColumn; column <= lastColumn; ++column) {
      const PixelRect cell{column * GLYPH_SIZE, row * GLYPH_SIZE, GLYPH_SIZE, GLYPH_SIZE};
      const auto at = static_cast<std::size_t>(row) * columns_ + column;
      if (stamps_[at] == stamp_ && overlaps(cell, area)) stamps_[at] = 0;
    }
  }
}

}  // namespace glyphverse
