#include "display/png_io.h"

#include <fcntl.h>
#include <png.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/message_text.h"
#include "base/output_file.h"

namespace glyphverse {

namespace {

void appendBytes(png_structp png, png_bytep data, std::size_t size) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), size);
}

void flushNothing(png_structp) {}

// libpng's errors end in a longjmp back to the setjmp of the caller; the
// message is kept for the caller's error.
void keepError(png_structp png, png_const_charp message) {
  *static_cast<std::string*>(png_get_error_ptr(png)) = message;
  png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// Only plain data lives across the setjmp: a longjmp skips no destructor.
bool encodeRows(png_structp png, png_infop info, const Image& image, png_bytepp rows,
                png_textp texts, int textCount) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_set_IHDR(png, info, static_cast<png_uint_32>(image.width),
               static_cast<png_uint_32>(image.height), 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (textCount > 0) png_set_text(png, info, texts, textCount);
  png_write_info(png, info);
  png_write_image(png, rows);
  png_write_end(png, info);
  return true;
}

}  // namespace

std::string encodePng(const Image& image, std::string& error, const std::vector<PngText>& texts) {
  std::vector<png_byte> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const Color c = image.pixels[i];
    rgb[3 * i] = static_cast<png_byte>(c >> 16);
    rgb[3 * i + 1] = static_cast<png_byte>(c >> 8);
    rgb[3 * i + 2] = static_cast<png_byte>(c);
  }
  std::vector<png_bytep> rows(static_cast<std::size_t>(image.height));
  for (std::size_t y = 0; y < rows.size(); ++y) rows[y] = &rgb[y * 3 * image.width];
  std::vector<png_text> chunks(texts.size());
  for (std::size_t i = 0; i < texts.size(); ++i) {
    chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
    chunks[i].key = const_cast<png_charp>(texts[i].keyword.c_str());
    chunks[i].text = const_cast<png_charp>(texts[i].text.c_str());
    chunks[i].text_length = texts[i].text.size();
  }
  std::string bytes;
  std::string message = "out of memory";
  png_structp png =
      png_create_write_struct(PNG_LIBPNG_VER_STRING, &message, keepError, ignoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  bool encoded = false;
  if (info != nullptr) {
    png_set_write_fn(png, &bytes, appendBytes, flushNothing);
    encoded =
        encodeRows(png, info, image, rows.data(), chunks.data(), static_cast<int>(chunks.size()));
  }
  png_destroy_write_struct(&png, &info);
  if (encoded) return bytes;
  error = "cannot encode the PNG: " + message;
  return "";
}

std::string writePng(const std::string& path, const Image& image,
                     const std::vector<PngText>& texts) {
  std::string error;
  const std::string bytes = encodePng(image, error, texts);
  return bytes.empty() ? error : writeFileSafely(path, bytes);
}

std::optional<Image> readPng(const std::string& path) {
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&png, path.c_str()) == 0) return std::nullopt;
  png.format = PNG_FORMAT_RGB;
  std::vector<png_byte> bytes(PNG_IMAGE_SIZE(png));
  if (png_image_finish_read(&png, nullptr, bytes.data(), 0, nullptr) == 0) {
    png_image_free(&png);
    return std::nullopt;
  }
  Image image(static_cast<int>(png.width), static_cast<int>(png.height), 0);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    image.pixels[i] = 0xFF000000u | static_cast<Color>(bytes[3 * i]) << 16 |
                      static_cast<Color>(bytes[3 * i + 1]) << 8 | bytes[3 * i + 2];
  }
  return image;
}

namespace {

bool readTextChunks(png_structp png, png_infop info, std::FILE* file, png_textp* texts,
                    int* count) {
  if (setjmp(png_jmpbuf(png)) != 0) return false;
  png_init_io(png, file);
  png_set_sig_bytes(png, 8);
  png_read_info(png, info);
  *count = png_get_text(png, info, texts, nullptr);
  return true;
}

}  // namespace

namespace {

// Opens a regular file to read, without waiting: a pipe, a device or a
// link to one is refused at once rather than read for ever. Null with the
// reason otherwise.
std::FILE* openRegularFile(const std::string& path, std::string& reason) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    reason = std::strerror(errno);
    return nullptr;
  }
  struct stat info {};
  const bool regular = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
  const int flags = ::fcntl(fd, F_GETFL);
  std::FILE* file = nullptr;
  if (regular && flags >= 0 && ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0) {
    file = ::fdopen(fd, "rb");
  }
  if (file == nullptr) {
    reason = regular ? std::strerror(errno) : "it is not a regular file";
    ::close(fd);
  }
  return file;
}

// Walks the chunks before the image data, from just after the signature,
// and leaves the file there again: "" when each is small enough to read, or
// why not. A chunk's length is read before any of it, so a length that lies
// costs nothing.
std::string chunksTooLarge(std::FILE* file) {
  const long start = std::ftell(file);
  for (int chunks = 0; chunks < MOST_CHUNKS; ++chunks) {
    unsigned char header[8];
    if (std::fread(header, 1, sizeof header, file) != sizeof header) break;  // libpng says why
    const std::uint32_t length = static_cast<std::uint32_t>(header[0]) << 24 |
                                 static_cast<std::uint32_t>(header[1]) << 16 |
                                 static_cast<std::uint32_t>(header[2]) << 8 | header[3];
    const std::string type(reinterpret_cast<const char*>(header + 4), 4);
    if (type == "IDAT" || type == "IEND") break;
    if (length > MOST_CHUNK_BYTES) {
      return "its " + escapeControlBytes(type) + " chunk of " + std::to_string(length) +
             " bytes is too large for a picture's texts";
    }
    if (std::fseek(file, static_cast<long>(length) + 4, SEEK_CUR) != 0) break;
  }
  std::fseek(file, start, SEEK_SET);
  return "";
}

// The text of a tEXt, zTXt or iTXt chunk: an international one keeps its
// length apart.
std::string textOf(const png_text& chunk) {
  const bool international = chunk.compression == PNG_ITXT_COMPRESSION_NONE ||
                             chunk.compression == PNG_ITXT_COMPRESSION_zTXt;
  const std::size_t length = international ? chunk.itxt_length : chunk.text_length;
  return chunk.text == nullptr ? "" : std::string(chunk.text, length);
}

}  // namespace

PngTextReading readPngText(const std::string& path) {
  PngTextReading reading;
  const std::string cannot = "cannot read " + escapeControlBytes(path) + ": ";
  std::string reason;
  std::FILE* file = openRegularFile(path, reason);
  if (file == nullptr) {
    reading.error = cannot + reason;
    return reading;
  }
  png_byte signature[8];
  const std::size_t got = std::fread(signature, 1, sizeof signature, file);
  if (got != sizeof signature || png_sig_cmp(signature, 0, sizeof signature) != 0) {
    reading.error =
        cannot + (std::ferror(file) != 0 ? std::strerror(errno) : "it is not a PNG file");
    std::fclose(file);
    return reading;
  }
  if (const std::string tooLarge = chunksTooLarge(file); !tooLarge.empty()) {
    reading.error = cannot + tooLarge;
    std::fclose(file);
    return reading;
  }
  std::string message = "out of memory";
  png_structp png =
      png_create_read_struct(PNG_LIBPNG_VER_STRING, &message, keepError, ignoreWarning);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  png_textp texts = nullptr;
  int count = 0;
  if (info != nullptr) {
    // What a compressed text unpacks to is held to the same bound.
    png_set_chunk_malloc_max(png, MOST_CHUNK_BYTES);
    png_set_chunk_cache_max(png, MOST_CHUNKS);
  }
  if (info != nullptr && readTextChunks(png, info, file, &texts, &count)) {
    for (int i = 0; i < count; ++i)
      reading.texts.push_back(PngText{texts[i].key, textOf(texts[i])});
  } else {
    reading.error = cannot + message;
  }
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return reading;
}

}  // namespace glyphverse
