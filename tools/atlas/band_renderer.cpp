#include "tools/atlas/band_renderer.h"

#include <algorithm>

#include "render/map_view.h"
#include "render/tiles.h"

namespace glyphverse {
namespace {

void putPixel(std::uint8_t* at, Color color) {
  at[0] = static_cast<std::uint8_t>(color >> 16);
  at[1] = static_cast<std::uint8_t>(color >> 8);
  at[2] = static_cast<std::uint8_t>(color);
}

}  // namespace

Color blockColor(const CellContent& cell) {
  if (cell.terrain != TerrainClass::none) return tileStyle(cell.terrain).color;
  if (!isEmpty(cell.foreground)) return cellColor(cell.foreground);
  if (!isEmpty(cell.background)) return cellColor(cell.background);
  return DEFAULT_BACKGROUND;
}

std::int64_t bandCellRows(const AtlasLayout& layout) {
  constexpr std::int64_t BAND_BYTES = std::int64_t{4} << 20;
  constexpr std::int64_t MOST_CELL_ROWS = 256;
  // The glyph canvas takes four bytes a pixel besides the row's three.
  const std::int64_t bytesPerPixelRow =
      layout.rowBytes() + (layout.glyphs ? 4 * layout.width() : 0);
  const std::int64_t bytesPerCellRow = bytesPerPixelRow * layout.cellPixels;
  return std::clamp<std::int64_t>(BAND_BYTES / bytesPerCellRow, 1,
                                  std::min(MOST_CELL_ROWS, layout.rows));
}

BandRenderer::BandRenderer(const LevelWorld& world, const AtlasLayout& layout)
    : layout_(layout),
      batch_(world.tables, world.viewLevel, world.system),
      rowBytes_(static_cast<std::size_t>(layout.rowBytes())) {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    tiles_[t] = Image(GLYPH_CELL_PIXELS, GLYPH_CELL_PIXELS, IMAGE_FILL);
    paintTerrainTile(tiles_[t], static_cast<TerrainClass>(t));
  }
}

const Image* BandRenderer::tileFor(TerrainClass terrain) const {
  return terrain == TerrainClass::none ? nullptr : &tiles_[terrainNumber(terrain)];
}

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
  const int side = layout_.cellPixels;
  for (std::int64_t i = 0; i < layout_.columns; ++i) {
    const ColumnOctaves column = batch_.columnAt(layout_.left + i);
    std::uint8_t* cellTop = out + 1 + 3 * i * side;
    for (int j = 0; j < cellRows; ++j, cellTop += rowBytes_ * side) {
      const Color color = blockColor(batch_.cellAt(column, scratch.rows[j]));
      for (int dy = 0; dy < side; ++dy) {
        for (int dx = 0; dx < side; ++dx) putPixel(cellTop + dy * rowBytes_ + 3 * dx, color);
      }
    }
  }
}

// The cells are drawn onto a canvas cleared as the explorer clears its page,
// by the map's own cell drawing, then copied out as RGB rows.
void BandRenderer::renderGlyphs(int cellRows, Scratch& scratch, std::uint8_t* out) const {
  const auto width = static_cast<int>(layout_.width());
  const int height = cellRows * GLYPH_CELL_PIXELS;
  Image& canvas = scratch.canvas;
  if (canvas.width != width || canvas.height < height) canvas = Image(width, height, 0);
  std::fill_n(canvas.pixels.begin(), static_cast<std::size_t>(width) * height, DEFAULT_BACKGROUND);
  for (int i = 0; i < layout_.columns; ++i) {
    const ColumnOctaves column = batch_.columnAt(layout_.left + i);
    for (int j = 0; j < cellRows; ++j) {
      const CellContent cell = batch_.cellAt(column, scratch.rows[j]);
      drawMapCell(canvas, i * GLYPH_CELL_PIXELS, j * GLYPH_CELL_PIXELS, cell.background,
                  cell.foreground, tileFor(cell.terrain));
    }
  }
  for (int y = 0; y < height; ++y) {
    const Color* from = &canvas.pixels[static_cast<std::size_t>(y) * width];
    std::uint8_t* to = out + y * rowBytes_ + 1;
    for (int x = 0; x < width; ++x) putPixel(to + 3 * x, from[x]);
  }
}

}  // namespace glyphverse
