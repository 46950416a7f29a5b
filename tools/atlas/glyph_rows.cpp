#include "tools/atlas/glyph_rows.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "render/map_view.h"
#include "render/tiles.h"
#include "tools/atlas/atlas_layout.h"

namespace glyphverse {
namespace {

void packRowByBytes(const Color* from, std::size_t pixels, std::uint8_t* to) {
  for (std::size_t x = 0; x < pixels; ++x) storeRgb(to + 3 * x, from[x]);
}

#if defined(__x86_64__) || defined(__i386__)
// One byte shuffle turns four pixels into their twelve RGB bytes; the four
// bytes stored beyond them are overwritten by the next four pixels.
__attribute__((target("ssse3"))) void packRowShuffled(const Color* from, std::size_t pixels,
                                                      std::uint8_t* to) {
  const __m128i rgbOfFour = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
  std::size_t x = 0;
  for (; x + 6 <= pixels; x += 4) {  // 16 bytes stored: two more pixels must follow
    const __m128i four = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from + x));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 3 * x), _mm_shuffle_epi8(four, rgbOfFour));
  }
  packRowByBytes(from + x, pixels - x, to + 3 * x);
}

bool hasSsse3() {
  static const bool has = (__builtin_cpu_init(), __builtin_cpu_supports("ssse3"));
  return has;
}
#endif

}  // namespace

void packRow(const Color* from, int width, std::uint8_t* to) {
  const auto pixels = static_cast<std::size_t>(width);
#if defined(__x86_64__) || defined(__i386__)
  if (hasSsse3()) return packRowShuffled(from, pixels, to);
#endif
  packRowByBytes(from, pixels, to);
}

GlyphRowPainter::GlyphRowPainter() {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    tiles_[t] = Image(GLYPH_CELL_PIXELS, GLYPH_CELL_PIXELS, IMAGE_FILL);
    paintTerrainTile(tiles_[t], static_cast<TerrainClass>(t));
  }
}

const Image* GlyphRowPainter::tileFor(TerrainClass terrain) const {
  return terrain == TerrainClass::none ? nullptr : &tiles_[terrainNumber(terrain)];
}

// The canvas is cleared as the explorer clears its page before drawing.
void GlyphRowPainter::paint(const CellContent* cells, int columns, Image& canvas, std::uint8_t* out,
                            std::size_t rowBytes) const {
  const int width = columns * GLYPH_CELL_PIXELS;
  if (canvas.width != width || canvas.height != GLYPH_CELL_PIXELS) {
    canvas = Image(width, GLYPH_CELL_PIXELS, DEFAULT_BACKGROUND);
  } else {
    std::fill(canvas.pixels.begin(), canvas.pixels.end(), DEFAULT_BACKGROUND);
  }
  for (int i = 0; i < columns; ++i) {
    const CellContent& cell = cells[i];
    drawMapCell(canvas, i * GLYPH_CELL_PIXELS, 0, cell.background, cell.foreground,
                tileFor(cell.terrain));
  }
  for (int y = 0; y < GLYPH_CELL_PIXELS; ++y) {
    packRow(&canvas.pixels[static_cast<std::size_t>(y) * width], width, out + y * rowBytes);
  }
}

}  // namespace glyphverse
