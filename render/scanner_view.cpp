#include "render/scanner_view.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <optional>

#include "render/level_blocks.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// The shortest signed step from one world coordinate to another.
std::int64_t worldStep(std::int64_t from, std::int64_t to) {
  std::int64_t d = wrapCoordinate(to - from);
  if (d > WORLD_SIZE / 2) d -= WORLD_SIZE;
  return d;
}

void fillRect(Image& page, int x, int y, int width, int height, Color color) {
  for (int py = std::max(0, y); py < std::min(page.height, y + height); ++py) {
    for (int px = std::max(0, x); px < std::min(page.width, x + width); ++px)
      page.at(px, py) = color;
  }
}

// A square ring around the cell (i, j) of the picture, a few pixels out, with
// a dark ring outside it, so that a mark stands out at one pixel a cell as at
// eight and on any nebula.
void ringCell(Image& page, int zoom, int i, int j) {
  const int reach = std::max(3, zoom);
  const auto ring = [&page, zoom, i, j](int out, Color color) {
    const int x = i * zoom - out;
    const int y = j * zoom - out;
    const int side = zoom + 2 * out;
    fillRect(page, x, y, side, 1, color);
    fillRect(page, x, y + side - 1, side, 1, color);
    fillRect(page, x, y, 1, side, color);
    fillRect(page, x + side - 1, y, 1, side, color);
  };
  ring(reach + 1, MATCH_EDGE_COLOR);
  ring(reach, MATCH_COLOR);
}

}  // namespace

std::int64_t ScannerPicture::leftCell(const ScannerFrame& frame, int pageWidth) {
  return std::int64_t{frame.x} - pageWidth / frame.zoom / 2;
}

std::int64_t ScannerPicture::topCell(const ScannerFrame& frame, int pageHeight) {
  return std::int64_t{frame.y} - pageHeight / frame.zoom / 2;
}

// Keeps the colours of cells still in view and computes the rest: a strip of
// new columns and one of new rows after a pan, everything after anything else.
void ScannerPicture::update(const ScannerFrame& frame, int columns, int rows) {
  const std::int64_t left = leftCell(frame, columns * frame.zoom);
  const std::int64_t top = topCell(frame, rows * frame.zoom);
  const bool sameMarks =
      frame.marks == nullptr ? !marks_.has_value() : marks_ && *marks_ == *frame.marks;
  const bool sameWorld = valid_ && sameMarks && columns == columns_ && rows == rows_ &&
                         frame.world.viewLevel == viewLevel_ &&
                         frame.world.tables.seed == tablesSeed_ &&
                         frame.world.system.seed == systemSeed_;
  const std::int64_t dx = sameWorld ? worldStep(left_, left) : columns;
  const std::int64_t dy = sameWorld ? worldStep(top_, top) : rows;
  const std::int64_t newLeft = left_ + dx;
  const std::int64_t newTop = top_ + dy;
  // A still frame computes nothing, not even the batch.
  const bool moved = dx != 0 || dy != 0;
  const std::optional<CellBatch> batch =
      moved ? std::optional<CellBatch>(std::in_place, frame.world) : std::nullopt;
  if (!sameMarks) {
    marks_.reset();
    if (frame.marks != nullptr) marks_ = *frame.marks;
  }
  const StarFilter* marks = marks_ ? &*marks_ : nullptr;
  if (std::abs(dx) >= columns || std::abs(dy) >= rows) {
    colors_.resize(static_cast<std::size_t>(columns) * rows);
    marked_.resize(colors_.size());
    fillBlockColors(pool_, *batch, left, top, columns, rows, colors_.data(), columns, marks,
                    marked_.data());
    left_ = left;
    top_ = top;
  } else if (moved) {
    // With rows one after the other, a pan moves every kept colour by one
    // offset; the strips that came in are then filled over what it left.
    const std::int64_t offset = dy * columns + dx;
    const auto count = static_cast<std::int64_t>(colors_.size());
    const std::size_t kept = static_cast<std::size_t>(count - std::abs(offset));
    Color* destination = colors_.data() + std::max<std::int64_t>(0, -offset);
    const Color* source = colors_.data() + std::max<std::int64_t>(0, offset);
    std::memmove(destination, source, kept * sizeof(Color));
    std::memmove(marked_.data() + (destination - colors_.data()),
                 marked_.data() + (source - colors_.data()), kept);
    left_ = newLeft;
    top_ = newTop;
    const int newRows = static_cast<int>(std::abs(dy));
    const int rowStart = dy > 0 ? rows - newRows : 0;
    fillBlockColors(pool_, *batch, left_, top_ + rowStart, columns, newRows,
                    &colors_[static_cast<std::size_t>(rowStart) * columns], columns, marks,
                    &marked_[static_cast<std::size_t>(rowStart) * columns]);
    const int newColumns = static_cast<int>(std::abs(dx));
    const int columnStart = dx > 0 ? columns - newColumns : 0;
    fillBlockColors(pool_, *batch, left_ + columnStart, top_, newColumns, rows,
                    &colors_[columnStart], columns, marks, &marked_[columnStart]);
  }
  columns_ = columns;
  rows_ = rows;
  viewLevel_ = frame.world.viewLevel;
  tablesSeed_ = frame.world.tables.seed;
  systemSeed_ = frame.world.system.seed;
  valid_ = true;
}

void ScannerPicture::drawMarks(Image& page, int zoom) const {
  for (int j = 0; j < rows_; ++j) {
    const std::uint8_t* marks = &marked_[static_cast<std::size_t>(j) * columns_];
    for (int i = 0; i < columns_; ++i) {
      if (marks[i] != 0) ringCell(page, zoom, i, j);
    }
  }
}

void ScannerPicture::drawRinged(Image& page, int zoom, const std::vector<Position>& cells) const {
  for (const Position& cell : cells) {
    const std::int64_t i = worldStep(left_, cell.x);
    const std::int64_t j = worldStep(top_, cell.y);
    if (i >= 0 && i < columns_ && j >= 0 && j < rows_) {
      ringCell(page, zoom, static_cast<int>(i), static_cast<int>(j));
    }
  }
}

void ScannerPicture::draw(Image& page, const ScannerFrame& frame) {
  const int zoom = std::max(1, frame.zoom);
  const int columns = page.width / zoom;
  const int rows = page.height / zoom;
  update(frame, columns, rows);
  for (int j = 0; j < rows; ++j) {
    const Color* cells = &colors_[static_cast<std::size_t>(j) * columns];
    Color* first = &page.at(0, j * zoom);
    if (zoom == 1) {
      std::memcpy(first, cells, static_cast<std::size_t>(columns) * sizeof(Color));
      continue;
    }
    for (int i = 0; i < columns; ++i) std::fill(first + i * zoom, first + (i + 1) * zoom, cells[i]);
    for (int dy = 1; dy < zoom; ++dy) {
      std::memcpy(&page.at(0, j * zoom + dy), first,
                  static_cast<std::size_t>(page.width) * sizeof(Color));
    }
  }
  if (marks_) drawMarks(page, zoom);
  if (frame.ringed != nullptr && frame.world.viewLevel == GALAXY_LEVEL) {
    drawRinged(page, zoom, *frame.ringed);
  }
  // The square the map shows around the crosshair, one pixel outside it.
  const int cx = static_cast<int>(worldStep(left_, frame.x)) * zoom;
  const int cy = static_cast<int>(worldStep(top_, frame.y)) * zoom;
  const int half = MAP_RADIUS * zoom;
  const int side = MAP_SIDE * zoom + 2;
  fillRect(page, cx - half - 1, cy - half - 1, side, 1, MAP_OUTLINE_COLOR);
  fillRect(page, cx - half - 1, cy + half + zoom, side, 1, MAP_OUTLINE_COLOR);
  fillRect(page, cx - half - 1, cy - half - 1, 1, side, MAP_OUTLINE_COLOR);
  fillRect(page, cx + half + zoom, cy - half - 1, 1, side, MAP_OUTLINE_COLOR);
  // The crosshair: arms around the crosshair's cell, which stays visible.
  const int mid = zoom / 2;
  constexpr int ARM = 5;
  fillRect(page, cx - ARM - 1, cy + mid, ARM, 1, CROSSHAIR_COLOR);
  fillRect(page, cx + zoom + 1, cy + mid, ARM, 1, CROSSHAIR_COLOR);
  fillRect(page, cx + mid, cy - ARM - 1, 1, ARM, CROSSHAIR_COLOR);
  fillRect(page, cx + mid, cy + zoom + 1, 1, ARM, CROSSHAIR_COLOR);
}

}  // namespace glyphverse
