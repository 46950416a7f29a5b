#pragma once
// A PNG file written chunk by chunk onto a stream: libpng writes the
// signature and the header and frames every chunk; the image data arrives
// already filtered and compressed (see band_encoder.h), so it can be made on
// many threads while this writes it out on one.

#include <png.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace glyphverse {

class PngChunkWriter {
 public:
  // An 8-bit RGB image of width x height pixels (each at most 2^31 - 1).
  PngChunkWriter(std::FILE* file, std::uint32_t width, std::uint32_t height);
  ~PngChunkWriter();
  PngChunkWriter(const PngChunkWriter&) = delete;
  PngChunkWriter& operator=(const PngChunkWriter&) = delete;

  // Each returns false once anything failed; error() then says what.
  bool writeHeader();
  bool writeImageData(const std::uint8_t* data, std::size_t size);
  bool writeEnd();
  const std::string& error() const { return error_; }
  std::uint64_t bytesWritten() const { return bytesWritten_; }

 private:
  bool writeChunk(const char* name, const std::uint8_t* data, std::size_t size);
  static void writeBytes(png_structp png, png_bytep data, std::size_t size);
  static void flush(png_structp png);
  static void fail(png_structp png, png_const_charp message);

  std::FILE* file_;
  std::uint32_t width_;
  std::uint32_t height_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
  std::string error_;
  std::uint64_t bytesWritten_ = 0;
};

}  // namespace glyphverse
