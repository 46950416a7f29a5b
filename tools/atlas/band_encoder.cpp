#include "tools/atlas/band_encoder.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <new>

namespace glyphverse {
namespace {

constexpr int WINDOW_BITS = 15;
constexpr int MEMORY_LEVEL = 9;  // zlib's largest: longer blocks, fewer code tables
constexpr std::uint8_t FILTER_SUB = 1;
constexpr std::size_t BYTES_PER_PIXEL = 3;

// PNG's Sub filter: each byte less the same channel of the pixel to its
// left. Right to left, so that every left neighbour is still unfiltered; in
// blocks computed whole before they are stored, which the compiler vectorises.
void filterSub(std::uint8_t* row, std::size_t rowBytes) {
  constexpr std::size_t BLOCK = 32;
  row[0] = FILTER_SUB;
  std::uint8_t* pixels = row + 1;
  std::size_t end = rowBytes - 1;  // filter [BYTES_PER_PIXEL, end) from the right
  for (; end >= BYTES_PER_PIXEL + BLOCK; end -= BLOCK) {
    std::uint8_t block[BLOCK];
    const std::uint8_t* at = pixels + end - BLOCK;
    for (std::size_t i = 0; i < BLOCK; ++i) {
      block[i] = static_cast<std::uint8_t>(at[i] - at[i - BYTES_PER_PIXEL]);
    }
    std::memcpy(pixels + end - BLOCK, block, BLOCK);
  }
  for (std::size_t k = end; k-- > BYTES_PER_PIXEL;) {
    pixels[k] = static_cast<std::uint8_t>(pixels[k] - pixels[k - BYTES_PER_PIXEL]);
  }
}

// zlib counts its input in uInt; larger bands go in several steps.
constexpr std::size_t STEP = std::numeric_limits<uInt>::max() / 2;
// Room made in the output beyond deflate's own bound.
constexpr std::size_t OUTPUT_SLACK = 64;

int zlibStrategy(DeflateStrategy strategy) {
  return strategy == DeflateStrategy::codesOnly ? Z_HUFFMAN_ONLY
         : strategy == DeflateStrategy::runs    ? Z_RLE
                                                : Z_DEFAULT_STRATEGY;
}

// Negative window bits: raw deflate, the zlib wrapper is written once for the image.
bool startDeflate(z_stream& stream, int level, DeflateStrategy strategy) {
  return deflateInit2(&stream, level, Z_DEFLATED, -WINDOW_BITS, MEMORY_LEVEL,
                      zlibStrategy(strategy)) == Z_OK;
}

void deflateAll(z_stream& stream, std::uint8_t* data, std::size_t size, int flush,
                std::vector<std::uint8_t>& out) {
  stream.next_in = data;
  std::size_t remaining = size;
  do {
    const std::size_t part = std::min(remaining, STEP);
    remaining -= part;
    stream.avail_in = static_cast<uInt>(part);
    const int mode = remaining == 0 ? flush : Z_NO_FLUSH;
    do {
      const std::size_t used = out.size();
      const std::size_t room =
          std::min<std::size_t>(deflateBound(&stream, stream.avail_in) + OUTPUT_SLACK, STEP);
      out.resize(used + room);
      stream.next_out = out.data() + used;
      stream.avail_out = static_cast<uInt>(room);
      deflate(&stream, mode);
      out.resize(used + room - stream.avail_out);
    } while (stream.avail_out == 0 || stream.avail_in != 0);
  } while (remaining > 0);
}

}  // namespace

BandEncoder::BandEncoder(int level, DeflateStrategy strategy) {
  if (!startDeflate(stream_, level, strategy)) throw std::bad_alloc();
}

BandEncoder::~BandEncoder() {
  deflateEnd(&stream_);
}

void BandEncoder::encode(std::uint8_t* rows, std::size_t rowCount, std::size_t rowBytes,
                         bool lastBand, EncodedBand& out) {
  for (std::size_t r = 0; r < rowCount; ++r) filterSub(rows + r * rowBytes, rowBytes);
  out.filteredSize = rowCount * rowBytes;
  out.adler =
      static_cast<std::uint32_t>(adler32_z(adler32_z(0, nullptr, 0), rows, out.filteredSize));
  out.deflated.clear();
  deflateReset(&stream_);
  deflateAll(stream_, rows, out.filteredSize, lastBand ? Z_FINISH : Z_SYNC_FLUSH, out.deflated);
}

// zlib's own reckoning (zconf.h) of what deflate allocates, plus its state.
std::size_t BandEncoder::stateBytes() {
  constexpr std::size_t STATE = 6 << 10;
  return (std::size_t{1} << (WINDOW_BITS + 2)) + (std::size_t{1} << (MEMORY_LEVEL + 9)) + STATE;
}

// deflate's bound is largest for a level that looks for matches (stored
// blocks take less), whatever the strategy: an upper bound for every band.
std::size_t BandEncoder::largestOutput(std::size_t filteredBytes) {
  z_stream stream{};
  if (!startDeflate(stream, DEFAULT_COMPRESSION, DeflateStrategy::matches)) throw std::bad_alloc();
  std::size_t total = 0;
  std::size_t left = filteredBytes;
  do {  // in the steps encode() takes
    const std::size_t part = std::min(left, STEP);
    total +=
        std::min<std::size_t>(deflateBound(&stream, static_cast<uLong>(part)) + OUTPUT_SLACK, STEP);
    left -= part;
  } while (left > 0);
  deflateEnd(&stream);
  return total;
}

std::array<std::uint8_t, 2> zlibHeader(int level) {
  // Method 8 (deflate) with a 32 KiB window, and the level class zlib itself records.
  const unsigned levelClass = level < 2 ? 0 : level < 6 ? 1 : level == 6 ? 2 : 3;
  unsigned header = (Z_DEFLATED + ((WINDOW_BITS - 8) << 4)) << 8 | levelClass << 6;
  header += 31 - header % 31;
  return {static_cast<std::uint8_t>(header >> 8), static_cast<std::uint8_t>(header)};
}

std::uint32_t combineAdler(std::uint32_t before, const EncodedBand& band) {
  return static_cast<std::uint32_t>(
      adler32_combine64(before, band.adler, static_cast<z_off64_t>(band.filteredSize)));
}

std::array<std::uint8_t, 4> zlibTrailer(std::uint32_t adler) {
  return {static_cast<std::uint8_t>(adler >> 24), static_cast<std::uint8_t>(adler >> 16),
          static_cast<std::uint8_t>(adler >> 8), static_cast<std::uint8_t>(adler)};
}

}  // namespace glyphverse
