#include "display/terminal/frame_picture.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "display/cp437.h"
#include "display/font.h"
#include "display/terminal/panel_placement.h"

namespace glyphverse {
namespace {

constexpr int BLOCK = GLYPH_SIZE;
constexpr char32_t UPPER_HALF_BLOCK = U'\u2580';

// A glyph's 64 pixels as one word: row 0 in the top byte, leftmost pixel first.
using Mask = std::uint64_t;

Mask maskOf(std::uint8_t code) {
  Mask mask = 0;
  for (const std::uint8_t row : FONT_8X8[code]) mask = mask << 8 | row;
  return mask;
}

bool isBlankCode(std::uint8_t code) {
  return code == 0 || code == ' ' || code == 255;
}

// The mean colour of some pixels, each channel rounded to the nearest.
class ColorMean {
 public:
  void add(Color c) {
    sum_[0] += (c >> 16) & 0xFF;
    sum_[1] += (c >> 8) & 0xFF;
    sum_[2] += c & 0xFF;
    ++count_;
  }
  bool empty() const { return count_ == 0; }
  Color mean() const {
    const auto channel = [this](std::uint32_t total) { return (total + count_ / 2) / count_; };
    return channel(sum_[0]) << 16 | channel(sum_[1]) << 8 | channel(sum_[2]);
  }

 private:
  std::uint32_t sum_[3] = {0, 0, 0};
  std::uint32_t count_ = 0;
};

TerminalCell textCellOf(const TextCell& text) {
  if (isBlankCode(text.code)) return blankCell(text.back);
  return TerminalCell{cp437ToUnicode(text.code), rgbOf(text.fore), rgbOf(text.back)};
}

// The grid cell (from 0) that a map cell of index k (0 at the map's left or
// top) mostly covers: map cells need not line up with the text grid.
int gridCellOfMap(int firstPixel) {
  return (firstPixel + BLOCK / 2) / BLOCK;
}

}  // namespace

int GridWindow::gridColumn(int row, int column) const {
  if (row < 0 || row >= static_cast<int>(gridRow.size()) || gridRow[row] < 0) return -1;
  const int at = firstColumn[row] + column;
  return at < gridColumns ? at : -1;
}

GridWindow layOut(int gridRows, int gridColumns, const FrameLayout& layout, int rows, int columns) {
  GridWindow window;
  rows = std::max(rows, 0);
  window.columns = std::max(columns, 0);
  window.gridColumns = gridColumns;
  window.gridRow.assign(static_cast<std::size_t>(rows), -1);
  window.firstColumn.assign(static_cast<std::size_t>(rows), 0);
  const int middleColumn = columns >= gridColumns ? 0
                                                  : std::clamp(layout.focusColumn - columns / 2, 0,
                                                               gridColumns - window.columns);
  const auto show = [&](int row, int gridRow) {
    const bool edge = gridRow < layout.headRows || gridRow >= gridRows - layout.footRows;
    window.gridRow[row] = gridRow;
    window.firstColumn[row] = edge ? 0 : middleColumn;
  };
  if (rows >= gridRows) {
    for (int r = 0; r < gridRows; ++r) show(r, r);
    return window;
  }
  const int head = std::min(layout.headRows, rows);
  const int foot = std::min(layout.footRows, rows - head);
  const int middle = rows - head - foot;
  const int lowest = layout.headRows;
  const int highest = std::max(lowest, gridRows - layout.footRows - middle);
  const int start = std::clamp(layout.focusRow - middle / 2, lowest, highest);
  for (int r = 0; r < head; ++r) show(r, r);
  for (int r = 0; r < middle; ++r) show(head + r, start + r);
  for (int r = 0; r < foot; ++r) show(rows - foot + r, gridRows - foot + r);
  return window;
}

TerminalCell mapCellOf(const MapCellLayers& layers, Color background) {
  struct Layer {
    Mask mask;
    std::uint8_t code;
    Color color;
  };
  Layer drawn[4];
  int count = 0;
  const auto add = [&](std::uint8_t code, Color color) {
    if (code != 0 && maskOf(code) != 0) drawn[count++] = Layer{maskOf(code), code, color};
  };
  add(layers.background.code, layers.background.color);
  add(layers.foreground.code, layers.foreground.color);
  add(layers.tile.code, layers.tile.color);
  add(layers.marker.code, layers.marker.color);
  if (count == 0) return blankCell(background);
  // The glyph drawn last shows whole; beneath it, the mean of what the rest
  // of the cell shows.
  const Layer& top = drawn[count - 1];
  ColorMean beneath;
  bool uniform = true;  // a glyph in the colour of all around it shows nothing
  for (int bit = 0; bit < 64; ++bit) {
    const Mask pixel = Mask{1} << bit;
    if ((top.mask & pixel) != 0) continue;
    Color color = background;
    for (int k = 0; k < count - 1; ++k) {
      if ((drawn[k].mask & pixel) != 0) color = drawn[k].color;
    }
    uniform = uniform && rgbOf(color) == rgbOf(top.color);
    beneath.add(color);
  }
  if (uniform) return blankCell(top.color);
  return TerminalCell{cp437ToUnicode(top.code), rgbOf(top.color),
                      beneath.empty() ? rgbOf(background) : beneath.mean()};
}

TerminalCell halfBlockOf(const Image& page, int x, int y) {
  ColorMean upper;
  ColorMean lower;
  for (int r = 0; r < BLOCK; ++r) {
    for (int c = 0; c < BLOCK; ++c) (r < BLOCK / 2 ? upper : lower).add(page.at(x + c, y + r));
  }
  if (upper.mean() == lower.mean()) return blankCell(upper.mean());
  return TerminalCell{UPPER_HALF_BLOCK, upper.mean(), lower.mean()};
}

const TerminalCell& FramePicture::mapCellFor(Slot& slot, const MapCellLayers& layers,
                                             Color background) {
  if (!slot.fromMap || !(slot.layers == layers) || slot.background != background) {
    slot.layers = layers;
    slot.background = background;
    slot.fromMap = true;
    slot.x = -1;
    slot.cell = mapCellOf(layers, background);
  }
  return slot.cell;
}

const TerminalCell& FramePicture::blockFor(Slot& slot, const Image& page, int x, int y) {
  const auto row = [&](int r) {
    return &page.pixels[static_cast<std::size_t>(y + r) * page.width + x];
  };
  bool same = slot.x == x && slot.y == y;
  for (int r = 0; r < BLOCK && same; ++r) {
    same = std::memcmp(row(r), &slot.pixels[static_cast<std::size_t>(r) * BLOCK],
                       BLOCK * sizeof(Color)) == 0;
  }
  if (!same) {
    for (int r = 0; r < BLOCK; ++r) {
      std::memcpy(&slot.pixels[static_cast<std::size_t>(r) * BLOCK], row(r), BLOCK * sizeof(Color));
    }
    slot.x = x;
    slot.y = y;
    slot.fromMap = false;
    slot.cell = halfBlockOf(page, x, y);
  }
  return slot.cell;
}

TerminalCell FramePicture::cellAt(const Frame& frame, const Image* page, int row, int column,
                                  Slot& slot) {
  if (const TextCell* text = frame.textAt(row, column)) return textCellOf(*text);
  const int x = column * BLOCK;
  const int y = row * BLOCK;
  if (const auto& area = frame.pixels(); area && page != nullptr && page->contains(x, y) &&
                                         page->contains(x + BLOCK - 1, y + BLOCK - 1) &&
                                         x < area->x + area->width && area->x < x + BLOCK &&
                                         y < area->y + area->height && area->y < y + BLOCK) {
    return blockFor(slot, *page, x, y);
  }
  if (const MapPicture* map = frame.map()) {
    const MapPlace& place = map->place;
    const int i = column - gridCellOfMap(place.left) - place.halfWidth;
    const int j = row - gridCellOfMap(place.top) - place.halfHeight;
    if (std::abs(i) <= place.halfWidth && std::abs(j) <= place.halfHeight) {
      const MapCell cell = map->at(i, j);
      MapCellLayers layers{cell.background, cell.foreground, cell.tile, {}};
      if (i == 0 && j == 0) layers.marker = map->marker;
      return mapCellFor(slot, layers, frame.background());
    }
  }
  return blankCell(frame.background());
}

void FramePicture::draw(const Frame& frame, const Image* page, const FrameLayout& layout, int rows,
                        int columns, bool textOnly, std::vector<TerminalCell>& cells) {
  const std::size_t count = static_cast<std::size_t>(std::max(rows, 0)) * std::max(columns, 0);
  cells.assign(count, blankCell(frame.background()));
  if (slots_.size() != count) slots_.assign(count, Slot{});
  const GridWindow window =
      layOut(frame.rows(), frame.columns(), textOnly ? FrameLayout{frame.rows(), 0, 0, 0} : layout,
             rows, columns);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) {
      const int column = window.gridColumn(r, c);
      if (column < 0) continue;
      const std::size_t at = static_cast<std::size_t>(r) * columns + c;
      const int row = window.gridRow[r];
      if (textOnly) {
        const TextCell* text = frame.textAt(row, column);
        if (text != nullptr) cells[at] = textCellOf(*text);
        continue;
      }
      cells[at] = cellAt(frame, page, row, column, slots_[at]);
    }
  }
  if (rows < frame.rows() || columns < frame.columns()) {
    showPanels(frame, window, textOnly ? FrameLayout{0, 0, -1, -1} : layout, rows, columns, cells);
  }
}

// Panels drawn over the picture where the grid is cut: each in the room
// above the rows kept for messages, later ones over earlier ones.
void showPanels(const Frame& frame, const GridWindow& window, const FrameLayout& layout, int rows,
                int columns, std::vector<TerminalCell>& cells) {
  if (frame.panels().empty()) return;
  PanelRoom room;
  room.columns = columns;
  room.rows = 0;
  while (room.rows < rows && window.gridRow[room.rows] < frame.rows() - layout.footRows) {
    ++room.rows;
  }
  room.headRows = std::min(layout.headRows, room.rows);
  room.gridRowsInPlace = rows >= frame.rows();
  for (int r = 0; r < rows; ++r) {
    if (window.gridRow[r] != layout.focusRow) continue;
    room.focusRow = r;
    room.focusColumn = layout.focusColumn - window.firstColumn[r];
  }
  const auto textOrBlank = [&frame](int row, int column) {
    const TextCell* text = frame.textAt(row, column);
    return text != nullptr ? textCellOf(*text) : blankCell(frame.background());
  };
  for (const TextPanel& panel : frame.panels()) {
    // A panel the cut grid shows whole, such as a prompt on the rows kept
    // at the bottom, stays where it is.
    int rowsInView = 0;
    room.columnShift = 0;
    for (int r = 0; r < rows; ++r) {
      const int k = window.gridRow[r] - panel.row;
      if (k < 0 || k >= panel.rows) continue;
      if (k == 0) room.columnShift = window.firstColumn[r];
      const int left = panel.column - window.firstColumn[r];
      if (left >= 0 && left + panel.columns <= columns) ++rowsInView;
    }
    if (rowsInView == panel.rows) continue;
    std::vector<bool> blankRow(static_cast<std::size_t>(std::max(panel.rows, 0)), true);
    for (int r = 0; r < panel.rows; ++r) {
      for (int c = 0; c < panel.columns && blankRow[r]; ++c) {
        const TextCell* text = frame.textAt(panel.row + r, panel.column + c);
        blankRow[r] = text == nullptr || isBlankCode(text->code);
      }
    }
    const PanelPlacement placed = placePanel(panel, blankRow, room);
    for (std::size_t k = 0; k < placed.panelRows.size(); ++k) {
      const int row = placed.top + static_cast<int>(k);
      for (int c = 0; c < placed.columns && placed.left + c < columns; ++c) {
        cells[static_cast<std::size_t>(row) * columns + placed.left + c] =
            textOrBlank(panel.row + placed.panelRows[k], panel.column + c);
      }
    }
  }
}

}  // namespace glyphverse
