#include "tools/atlas/glyph_rows.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "render/map_view.h"
#include "render/tiles.h"
#include "tools/atlas/atlas_layout.h"

namespace glyphverse {
namespace {

// Each function below moves a canvas row out as RGB bytes and leaves the
// row cleared for the next row of cells, in the same pass.

void takeRowByBytes(Color* from, std::size_t pixels, std::uint8_t* to) {
  for (std::size_t x = 0; x < pixels; ++x) {
    storeRgb(to + 3 * x, from[x]);
    from[x] = DEFAULT_BACKGROUND;
  }
}

#if defined(__x86_64__) || defined(__i386__)
// One byte shuffle turns four pixels into their twelve RGB bytes; the four
// bytes stored beyond them are overwritten by the next four pixels.
__attribute__((target("ssse3"))) void takeRowShuffled(Color* from, std::size_t pixels,
                                                      std::uint8_t* to) {
  const __m128i rgbOfFour = _mm_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1);
  const __m128i cleared = _mm_set1_epi32(static_cast<int>(DEFAULT_BACKGROUND));
  std::size_t x = 0;
  for (; x + 6 <= pixels; x += 4) {  // 16 bytes stored: two more pixels must follow
    auto* four = reinterpret_cast<__m128i*>(from + x);
    const __m128i rgb = _mm_shuffle_epi8(_mm_loadu_si128(four), rgbOfFour);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to + 3 * x), rgb);
    _mm_storeu_si128(four, cleared);
  }
  takeRowByBytes(from + x, pixels - x, to + 3 * x);
}

// The same eight pixels at a time: the shuffle works within each half of
// the register, so a permutation then closes the gap between the halves'
// twelve bytes; the eight bytes stored beyond are overwritten later.
__attribute__((target("avx2"))) void takeRowShuffledWide(Color* from, std::size_t pixels,
                                                         std::uint8_t* to) {
  const __m256i rgbOfFours =
      _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0, 6, 5, 4, 10,
                       9, 8, 14, 13, 12, -1, -1, -1, -1);
  const __m256i closeGap = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
  const __m256i cleared = _mm256_set1_epi32(static_cast<int>(DEFAULT_BACKGROUND));
  std::size_t x = 0;
  for (; x + 11 <= pixels; x += 8) {  // 32 bytes stored: three more pixels must follow
    auto* eight = reinterpret_cast<__m256i*>(from + x);
    const __m256i rgb = _mm256_permutevar8x32_epi32(
        _mm256_shuffle_epi8(_mm256_loadu_si256(eight), rgbOfFours), closeGap);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 3 * x), rgb);
    _mm256_storeu_si256(eight, cleared);
  }
  takeRowShuffled(from + x, pixels - x, to + 3 * x);
}

enum class Shuffle { none, fourPixels, eightPixels };

Shuffle bestShuffle() {
  static const Shuffle best = [] {
    __builtin_cpu_init();
    if (__builtin_cpu_supports("avx2")) return Shuffle::eightPixels;
    return __builtin_cpu_supports("ssse3") ? Shuffle::fourPixels : Shuffle::none;
  }();
  return best;
}
#endif

// By byte shuffles of eight or four pixels where the processor has them
// (x86 with AVX2 or SSSE3), else byte by byte.
void takeRow(Color* from, std::size_t pixels, std::uint8_t* to) {
#if defined(__x86_64__) || defined(__i386__)
  switch (bestShuffle()) {
    case Shuffle::eightPixels:
      return takeRowShuffledWide(from, pixels, to);
    case Shuffle::fourPixels:
      return takeRowShuffled(from, pixels, to);
    case Shuffle::none:
      break;
  }
#endif
  takeRowByBytes(from, pixels, to);
}

}  // namespace

GlyphRowPainter::GlyphRowPainter() {
  for (int t = 1; t <= TERRAIN_CLASS_COUNT; ++t) {
    tiles_[t] = Image(GLYPH_CELL_PIXELS, GLYPH_CELL_PIXELS, IMAGE_FILL);
    paintTerrainTile(tiles_[t], static_cast<TerrainClass>(t));
  }
}

const Image* GlyphRowPainter::tileFor(TerrainClass terrain) const {
  return terrain == TerrainClass::none ? nullptr : &tiles_[terrainNumber(terrain)];
}

// The canvas starts cleared as the explorer clears its page before drawing,
// and taking its rows out clears it again for the next call.
void GlyphRowPainter::paint(const CellContent* cells, int columns, Image& canvas, std::uint8_t* out,
                            std::size_t rowBytes) const {
  const int width = columns * GLYPH_CELL_PIXELS;
  if (canvas.width != width || canvas.height != GLYPH_CELL_PIXELS) {
    canvas = Image(width, GLYPH_CELL_PIXELS, DEFAULT_BACKGROUND);
  }
  for (int i = 0; i < columns; ++i) {
    const CellContent& cell = cells[i];
    drawMapCell(canvas, i * GLYPH_CELL_PIXELS, 0, cell.background, cell.foreground,
                tileFor(cell.terrain));
  }
  for (int y = 0; y < GLYPH_CELL_PIXELS; ++y) {
    takeRow(&canvas.pixels[static_cast<std::size_t>(y) * width], static_cast<std::size_t>(width),
            out + y * rowBytes);
  }
}

}  // namespace glyphverse
