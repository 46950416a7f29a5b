#include "tools/common/png_io.h"

#include <png.h>

#include <cstring>
#include <vector>

#include "tools/common/safe_file.h"

namespace glyphverse {

std::string encodePng(const Image& image, std::string& error) {
  std::vector<png_byte> rgb(image.pixels.size() * 3);
  for (std::size_t i = 0; i < image.pixels.size(); ++i) {
    const Color c = image.pixels[i];
    rgb[3 * i] = static_cast<png_byte>(c >> 16);
    rgb[3 * i + 1] = static_cast<png_byte>(c >> 8);
    rgb[3 * i + 2] = static_cast<png_byte>(c);
  }
  png_image png;
  std::memset(&png, 0, sizeof png);
  png.version = PNG_IMAGE_VERSION;
  png.width = static_cast<png_uint_32>(image.width);
  png.height = static_cast<png_uint_32>(image.height);
  png.format = PNG_FORMAT_RGB;
  // The first call measures, the second encodes.
  png_alloc_size_t size = 0;
  if (png_image_write_to_memory(&png, nullptr, &size, 0, rgb.data(), 0, nullptr) != 0) {
    std::string bytes(size, '\0');
    if (png_image_write_to_memory(&png, bytes.data(), &size, 0, rgb.data(), 0, nullptr) != 0) {
      bytes.resize(size);
      return bytes;
    }
  }
  error = std::string("cannot encode the PNG: ") + png.message;
  return "";
}

std::string writePng(const std::string& path, const Image& image) {
  std::string error;
  const std::string bytes = encodePng(image, error);
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

}  // namespace glyphverse
