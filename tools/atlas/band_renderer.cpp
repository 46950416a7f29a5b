#include "tools/atlas/band_renderer.h"

#include <algorithm>

#include "render/tiles.h"

namespace glyphverse {

Color blockColor(const CellContent& cell) {
  if (cell.terrain != TerrainClass::none) return tileStyle(cell.terrain).color;
  if (!isEmpty(cell.foreground)) return cellColor(cell.foreground);
  if (!isEmpty(cell.background)) return cellColor(cell.background);
  return DEFAULT_BACKGROUND;
}

std::int64_t bandCellRows(const AtlasLayout& layout) {
  constexpr std::int64_t BAND_BYTES = std::int64_t{4} << 20;
  constexpr std::int64_t MOST_CELL_ROWS = 256;
  const std::int64_t bytesPerCellRow = layout.rowBytes() * layout.cellPixels;
  return std::clamp<std::int64_t>(BAND_BYTES / bytesPerCellRow, 1,
                                  std::min(MOST_CELL_ROWS, layout.rows));
}

BandRenderer::BandRenderer(const LevelWorld& world, const AtlasLayout& layout)
    : layout_(layout),
      batch_(world.tables, world.viewLevel, world.system),
      rowBytes_(static_cast<std::size_t>(layout.rowBytes())) {}

void BandRenderer::render(std::int64_t firstCellRow, int cellRows, Scratch& scratch,
                          std::uint8_t* out) const {
  // Each row's half of the noise once for the band; each column's below.
  scratch.rows.resize(static_cast<std::size_t>(cellRows));
  for (int j = 0; j < cellRows; ++j) scratch.rows[j] = batch_.rowAt(layout_.top + firstCellRow + j);
  if (layout_.glyphs) {
    renderGlyphs(cellRows, scratch, out);
  } else {
    renderBlocks(cellRows, scratch, out);
  }
}

// Column by column: a column's half of the noise is made once and serves
// every cell row of the band.
void BandRenderer::renderBlocks(int cellRows, const Scratch& scratch, std::uint8_t* out) const {
  const auto side = static_cast<std::size_t>(layout_.cellPixels);
  for (std::int64_t i = 0; i < layout_.columns; ++i) {
    const ColumnOctaves column = batch_.columnAt(layout_.left + i);
    std::uint8_t* cellTop = out + 1 + 3 * static_cast<std::size_t>(i) * side;
    for (int j = 0; j < cellRows; ++j, cellTop += rowBytes_ * side) {
      const Color color = blockColor(batch_.cellAt(column, scratch.rows[j]));
      for (std::size_t dy = 0; dy < side; ++dy) {
        std::uint8_t* line = cellTop + dy * rowBytes_;
        for (std::size_t dx = 0; dx < side; ++dx) storeRgb(line + 3 * dx, color);
      }
    }
  }
}

// The band's cells first, column by column as the batch wants them; then
// row by row of cells as the map draws them.
void BandRenderer::renderGlyphs(int cellRows, Scratch& scratch, std::uint8_t* out) const {
  const auto columns = static_cast<int>(layout_.columns);
  scratch.cells.resize(static_cast<std::size_t>(columns) * cellRows);
  for (int i = 0; i < columns; ++i) {
    const ColumnOctaves column = batch_.columnAt(layout_.left + i);
    for (int j = 0; j < cellRows; ++j) {
      scratch.cells[static_cast<std::size_t>(j) * columns + i] =
          batch_.cellAt(column, scratch.rows[j]);
    }
  }
  for (int j = 0; j < cellRows; ++j) {
    glyphs_.paint(&scratch.cells[static_cast<std::size_t>(j) * columns], columns, scratch.canvas,
                  out + static_cast<std::size_t>(j) * GLYPH_CELL_PIXELS * rowBytes_ + 1, rowBytes_);
  }
}

}  // namespace glyphverse
