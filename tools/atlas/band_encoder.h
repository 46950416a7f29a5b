#pragma once
// PNG image data is one zlib stream over every pixel row, each row a filter
// type byte and its filtered pixels. Here bands of rows are filtered and
// compressed apart, so that many threads can share the work: each band
// becomes raw deflate data that ends on a byte boundary (a sync flush; the
// last band finishes the stream), so the pieces of all bands, in order,
// behind the zlib header and before the checksum combined from theirs, form
// one valid stream. The bytes depend on where bands begin and end, never on
// which thread compressed them.

#include <zlib.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace glyphverse {

inline constexpr int DEFAULT_COMPRESSION = 1;  // zlib's fastest level
inline constexpr int MAX_COMPRESSION = 9;

struct EncodedBand {
  std::vector<std::uint8_t> deflated;
  std::uint32_t adler = 1;  // Adler-32 of the band's filtered rows
  std::size_t filteredSize = 0;
};

// What deflate looks for, by what the pixels hold. Drawn cells (glyphs,
// blocks) repeat their shapes, which takes zlib's full matching. One pixel a
// cell is noise, where long matches are rare: looking only for runs (of
// zeros, after the Sub filter; planet surfaces have many) is faster and even
// a little smaller there. The galaxy's noise has hardly any runs either, so
// coding its bytes alone is as small and faster still.
enum class DeflateStrategy { codesOnly, runs, matches };

class BandEncoder {
 public:
  BandEncoder(int level, DeflateStrategy strategy);
  ~BandEncoder();
  BandEncoder(const BandEncoder&) = delete;
  BandEncoder& operator=(const BandEncoder&) = delete;

  // `rows` holds rowCount rows of rowBytes bytes: a free byte for the filter
  // type, then the row's RGB pixels. Filters them in place and compresses them.
  void encode(std::uint8_t* rows, std::size_t rowCount, std::size_t rowBytes, bool lastBand,
              EncodedBand& out);

  // What an encoder holds for its own state: deflate's window and tables.
  static std::size_t stateBytes();
  // The most an encoded band of `filteredBytes` may take, as encode() makes room.
  static std::size_t largestOutput(std::size_t filteredBytes);

 private:
  z_stream stream_{};
};

// The two bytes that open the zlib stream of the whole image.
std::array<std::uint8_t, 2> zlibHeader(int level);
// The checksum of all bands so far followed by one more band.
std::uint32_t combineAdler(std::uint32_t before, const EncodedBand& band);
// The four bytes that close the stream: the checksum, most significant first.
std::array<std::uint8_t, 4> zlibTrailer(std::uint32_t adler);

}  // namespace glyphverse
