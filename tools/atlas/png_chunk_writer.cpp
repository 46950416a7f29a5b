#include "tools/atlas/png_chunk_writer.h"

#include <algorithm>
#include <cerrno>
#include <csetjmp>
#include <cstring>

namespace glyphverse {
namespace {

// Chunks may hold up to 2^31 - 1 bytes; smaller ones keep readers' buffers small.
constexpr std::size_t MAX_CHUNK_DATA = std::size_t{1} << 24;

}  // namespace

PngChunkWriter::PngChunkWriter(std::FILE* file, std::uint32_t width, std::uint32_t height)
    : file_(file), width_(width), height_(height) {
  png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, this, fail, nullptr);
  if (png_ == nullptr) {
    error_ = "out of memory";
    return;
  }
  info_ = png_create_info_struct(png_);
  if (info_ == nullptr) error_ = "out of memory";
}

PngChunkWriter::~PngChunkWriter() {
  if (png_ != nullptr) png_destroy_write_struct(&png_, info_ != nullptr ? &info_ : nullptr);
}

// libpng reports errors by a long jump back to the setjmp of the call that
// failed; these functions keep no objects that would need destroying.
bool PngChunkWriter::writeHeader() {
  if (!error_.empty()) return false;
  if (setjmp(png_jmpbuf(png_)) != 0) return false;
  png_set_write_fn(png_, this, writeBytes, flush);
  // libpng refuses images wider or taller than a million pixels unless told
  // otherwise; PNG itself allows 2^31 - 1.
  png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);
  png_set_IHDR(png_, info_, width_, height_, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png_, info_);
  return true;
}

bool PngChunkWriter::writeImageData(const std::uint8_t* data, std::size_t size) {
  while (size > 0) {
    const std::size_t part = std::min(size, MAX_CHUNK_DATA);
    if (!writeChunk("IDAT", data, part)) return false;
    data += part;
    size -= part;
  }
  return true;
}

bool PngChunkWriter::writeEnd() {
  return writeChunk("IEND", nullptr, 0);
}

bool PngChunkWriter::writeChunk(const char* name, const std::uint8_t* data, std::size_t size) {
  if (!error_.empty()) return false;
  if (setjmp(png_jmpbuf(png_)) != 0) return false;
  png_write_chunk(png_, reinterpret_cast<png_const_bytep>(name), data, size);
  return true;
}

void PngChunkWriter::writeBytes(png_structp png, png_bytep data, std::size_t size) {
  auto* self = static_cast<PngChunkWriter*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, size, self->file_) != size) {
    self->error_ = std::strerror(errno);
    png_longjmp(png, 1);
  }
  self->bytesWritten_ += size;
}

void PngChunkWriter::flush(png_structp png) {
  auto* self = static_cast<PngChunkWriter*>(png_get_io_ptr(png));
  std::fflush(self->file_);
}

void PngChunkWriter::fail(png_structp png, png_const_charp message) {
  auto* self = static_cast<PngChunkWriter*>(png_get_error_ptr(png));
  if (self->error_.empty()) self->error_ = message;
  png_longjmp(png, 1);
}

}  // namespace glyphverse
