#include "tools/atlas/band_renderer.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "render/map_view.h"
#include "render/tiles.h"

namespace glyphverse {
namespace {

void putPixel(std::uint8_t* at, Color color) {
  at[0] = static_cast<std::uint8_t>(color >> 16);
  at[1] = static_cast<std::uint8_t>(color >> 8);
  at[2] = static_cast<std::uint8_t>(color);
}

// A row of 0xAARRGGBB pixels as RGB bytes, eight pixels to three 64-bit
// stores where the bytes of a word are in memory order: byte-swapped and
// shifted, 0xAARRGGBB is 0x00BBGGRR, whose little-endian bytes are R G B.
// Several times faster than three byte stores a pixel.
void packRow(const Color* from, int width, std::uint8_t* to) {
  const auto pixels = static_cast<std::size_t>(width);
  std::size_t x = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; x + 8 <= pixels; x += 8) {
      std::uint64_t q[8];
      for (std::size_t k = 0; k < 8; ++k) q[k] = __builtin_bswap32(from[x + k]) >> 8;
      const std::uint64_t words[3] = {q[0] | q[1] << 24 | q[2] << 48,
                                      q[2] >> 16 | q[3] << 8 | q[4] << 32 | q[5] << 56,
                                      q[5] >> 8 | q[6] << 16 | q[7] << 40};
      std::memcpy(to + 3 * x, words, sizeof words);
    }
  }
  for (; x < pixels; ++x) putPixel(to + 3 * x, from[x]);
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
  const std::int64_t bytesPerCellRow = layout.rowBytes() * layout.cellPixels;
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
  const auto side = static_cast<std::size_t>(layout_.cellPixels);
  for (std::int64_t i = 0; i < layout_.columns; ++i) {
    const ColumnOctaves column = batch_.columnAt(layout_.left + i);
    std::uint8_t* cellTop = out + 1 + 3 * static_cast<std::size_t>(i) * side;
    for (int j = 0; j < cellRows; ++j, cellTop += rowBytes_ * side) {
      const Color color = blockColor(batch_.cellAt(column, scratch.rows[j]));
      for (std::size_t dy = 0; dy < side; ++dy) {
        for (std::size_t dx = 0; dx < side; ++dx)
          putPixel(cellTop + dy * rowBytes_ + 3 * dx, color);
      }
    }
  }
}

// The band's cells first, column by column as the batch wants them; then
// each row of cells is drawn onto a canvas cleared as the explorer clears its
// page, by the map's own cell drawing, and copied out as RGB rows while the
// canvas is still in the cache.
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
  Image& canvas = scratch.canvas;
  const int width = columns * GLYPH_CELL_PIXELS;
  if (canvas.width != width) canvas = Image(width, GLYPH_CELL_PIXELS, DEFAULT_BACKGROUND);
  for (int j = 0; j < cellRows; ++j) {
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), DEFAULT_BACKGROUND);
    const CellContent* cell = &scratch.cells[static_cast<std::size_t>(j) * columns];
    for (int i = 0; i < columns; ++i, ++cell) {
      drawMapCell(canvas, i * GLYPH_CELL_PIXELS, 0, cell->background, cell->foreground,
                  tileFor(cell->terrain));
    }
    for (int y = 0; y < GLYPH_CELL_PIXELS; ++y) {
      packRow(&canvas.pixels[static_cast<std::size_t>(y) * width], width,
              out + (j * GLYPH_CELL_PIXELS + y) * rowBytes_ + 1);
    }
  }
}

}  // namespace glyphverse
