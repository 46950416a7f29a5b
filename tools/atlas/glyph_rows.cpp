#include "tools/atlas/glyph_rows.h"

#include <algorithm>

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

#include "render/map_pass.h"
#include "render/tiles.h"
#include "tools/atlas/atlas_layout.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

void packRowByBytes(const Color* from, std::size_t pixels, std::uint8_t* to) {
  for (std::size_t x = 0; x < pixels; ++x) storeRgb(to + 3 * x, from[x]);
}

#if defined(__x86_64__) || defined(__i386__)
// One byte shuffle turns four pixels into their twelve RGB bytes; the four
// bytes stored beyond them belong to the next pixels, stored after them.
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

// The same eight pixels at a time: the shuffle works within each half of
// the register, so a permutation then closes the gap between the halves'
// twelve bytes; the eight bytes stored beyond belong to the next pixels.
__attribute__((target("avx2"))) void packRowShuffledWide(const Color* from, std::size_t pixels,
                                                         std::uint8_t* to) {
  const __m256i rgbOfFours =
      _mm256_setr_epi8(2, 1, 0, 6, 5, 4, 10, 9, 8, 14, 13, 12, -1, -1, -1, -1, 2, 1, 0, 6, 5, 4, 10,
                       9, 8, 14, 13, 12, -1, -1, -1, -1);
  const __m256i closeGap = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 7, 7);
  std::size_t x = 0;
  for (; x + 11 <= pixels; x += 8) {  // 32 bytes stored: three more pixels must follow
    const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from + x));
    const __m256i rgb =
        _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(eight, rgbOfFours), closeGap);
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 3 * x), rgb);
  }
  packRowShuffled(from + x, pixels - x, to + 3 * x);
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

}  // namespace

void packRow(const Color* from, int width, std::uint8_t* to) {
  const auto pixels = static_cast<std::size_t>(width);
#if defined(__x86_64__) || defined(__i386__)
  switch (bestShuffle()) {
    case Shuffle::eightPixels:
      return packRowShuffledWide(from, pixels, to);
    case Shuffle::fourPixels:
      return packRowShuffled(from, pixels, to);
    case Shuffle::none:
      break;
  }
#endif
  packRowByBytes(from, pixels, to);
}

namespace {
constexpr int SIDE_PIXELS = MAP_SIDE * GLYPH_CELL_PIXELS;
}  // namespace

std::size_t GlyphPainter::canvasBytes() {
  return std::size_t{SIDE_PIXELS} * SIDE_PIXELS * sizeof(Color);
}

// Pieces of up to 61 x 61 cells, each drawn as the explorer draws its map on
// a cleared page: an odd number of cells a side, the surplus left empty.
void GlyphPainter::paint(const CellContent* cells, int columns, int rows, Scratch& scratch,
                         std::uint8_t* out, std::size_t rowBytes) const {
  if (scratch.canvas.width != SIDE_PIXELS) {
    scratch.canvas = Image(SIDE_PIXELS, SIDE_PIXELS, DEFAULT_BACKGROUND);
  }
  ViewMap& piece = scratch.piece;
  for (int top = 0; top < rows; top += MAP_SIDE) {
    const int height = std::min(MAP_SIDE, rows - top);
    const int halfHeight = height / 2;
    for (int left = 0; left < columns; left += MAP_SIDE) {
      const int width = std::min(MAP_SIDE, columns - left);
      const int halfWidth = width / 2;
      for (int j = 0; j <= 2 * halfHeight; ++j) {
        for (int i = 0; i <= 2 * halfWidth; ++i) {
          const CellContent cell =
              i < width && j < height
                  ? cells[static_cast<std::size_t>(top + j) * columns + left + i]
                  : CellContent{};
          const int index = mapIndex(i - halfWidth, j - halfHeight);
          piece.background[index] = cell.background;
          piece.foreground[index] = cell.foreground;
          piece.terrain[index] = cell.terrain;
        }
      }
      composeViewMap(scratch.canvas, piece, halfWidth, halfHeight, 0, 0, DEFAULT_BACKGROUND);
      for (int y = 0; y < height * GLYPH_CELL_PIXELS; ++y) {
        packRow(&scratch.canvas.at(0, y), width * GLYPH_CELL_PIXELS,
                out + static_cast<std::size_t>(top * GLYPH_CELL_PIXELS + y) * rowBytes +
                    static_cast<std::size_t>(left) * GLYPH_CELL_PIXELS * 3);
      }
    }
  }
}

}  // namespace glyphverse
