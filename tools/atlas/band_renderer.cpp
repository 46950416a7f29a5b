#include "tools/atlas/band_renderer.h"

#include <algorithm>

#include "render/tiles.h"

namespace glyphverse {

std::int64_t bandCellRows(const AtlasLayout& layout) {
  constexpr std::int64_t BAND_BYTES = std::int64_t{4} << 20;
  constexpr std::int64_t MOST_CELL_ROWS = 256;
  const std::int64_t bytesPerCellRow = layout.rowBytes() * layout.cellPixels;
  return std::clamp<std::int64_t>(BAND_BYTES / bytesPerCellRow, 1,
                                  std::min(MOST_CELL_ROWS, layout.rows));
}

BandRenderer::BandRenderer(const LevelWorld& world, const AtlasLayout& layout)
    : layout_(layout), batch_(world), rowBytes_(static_cast<std::size_t>(layout.rowBytes())) {}

std::uint64_t BandRenderer::scratchBytes(const AtlasLayout& layout, std::int64_t cellRows) {
  const auto columns = static_cast<std::uint64_t>(layout.columns);
  const auto rows = static_cast<std::uint64_t>(cellRows);
  std::uint64_t bytes = rows * sizeof(RowOctaves) + columns * sizeof(ColumnOctaves);
  if (layout.glyphs) bytes += columns * rows * sizeof(CellContent) + GlyphPainter::canvasBytes();
  return bytes;
}

void BandRenderer::render(std::int64_t firstCellRow, int cellRows, Scratch& scratch,
                          std::uint8_t* out) const {
  // Each row's and each column's half of the noise once for the band.
  scratch.rows.resize(static_cast<std::size_t>(cellRows));
  for (int j = 0; j < cellRows; ++j) scratch.rows[j] = batch_.rowAt(layout_.top + firstCellRow + j);
  scratch.columns.resize(static_cast<std::size_t>(layout_.columns));
  for (std::size_t i = 0; i < scratch.columns.size(); ++i) {
    scratch.columns[i] = batch_.columnAt(layout_.left + static_cast<std::int64_t>(i));
  }
  if (layout_.glyphs) {
    renderGlyphs(cellRows, scratch, out);
  } else {
    renderBlocks(cellRows, scratch, out);
  }
}

// Row by row along the band's columns, each made once: the pixels are
// stored in the order they lie in memory. The row is copied: byte stores may
// alias anything, so through a reference every cell would load it again.
void BandRenderer::renderBlocks(int cellRows, const Scratch& scratch, std::uint8_t* out) const {
  const auto side = static_cast<std::size_t>(layout_.cellPixels);
  const ColumnOctaves* columns = scratch.columns.data();
  const std::size_t columnCount = scratch.columns.size();
  const std::size_t rowBytes = rowBytes_;
  for (int j = 0; j < cellRows; ++j) {
    const RowOctaves row = scratch.rows[j];
    std::uint8_t* cellTop = out + static_cast<std::size_t>(j) * side * rowBytes + 1;
    if (side == 1) {  // the poster's usual case, without the block loops
      for (std::size_t i = 0; i < columnCount; ++i, cellTop += 3) {
        storeRgb(cellTop, blockColor(batch_.cellAt(columns[i], row)));
      }
      continue;
    }
    for (std::size_t i = 0; i < columnCount; ++i, cellTop += 3 * side) {
      const Color color = blockColor(batch_.cellAt(columns[i], row));
      for (std::size_t dy = 0; dy < side; ++dy) {
        std::uint8_t* line = cellTop + dy * rowBytes;
        for (std::size_t dx = 0; dx < side; ++dx) storeRgb(line + 3 * dx, color);
      }
    }
  }
}

// The band's cells row by row, then drawn as the map draws them.
void BandRenderer::renderGlyphs(int cellRows, Scratch& scratch, std::uint8_t* out) const {
  const auto columns = static_cast<int>(layout_.columns);
  scratch.cells.resize(static_cast<std::size_t>(columns) * cellRows);
  CellContent* cell = scratch.cells.data();
  const ColumnOctaves* column = scratch.columns.data();
  for (int j = 0; j < cellRows; ++j) {
    const RowOctaves row = scratch.rows[j];  // a copy, as for blocks
    for (int i = 0; i < columns; ++i) *cell++ = batch_.cellAt(column[i], row);
  }
  glyphs_.paint(scratch.cells.data(), columns, cellRows, scratch.glyphs, out + 1, rowBytes_);
}

}  // namespace glyphverse
