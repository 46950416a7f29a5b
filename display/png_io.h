#pragma once
// Pages to PNG files and back (8-bit RGB; the alpha byte of a page is not shown).

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "display/image.h"

namespace glyphverse {

// A text chunk (tEXt): a Latin-1 keyword of 1 to 79 characters and its text.
struct PngText {
  std::string keyword;
  std::string text;
  friend bool operator==(const PngText&, const PngText&) = default;
};

// The image's red, green and blue as the bytes of a PNG file, with `texts`
// before the image data; empty when the encoder fails, with its reason in
// `error`.
std::string encodePng(const Image& image, std::string& error,
                      const std::vector<PngText>& texts = {});

// Writes the image as a PNG without ever destroying what `path` held before
// (see writeFileSafely). Returns an error message with its reason, or "".
std::string writePng(const std::string& path, const Image& image,
                     const std::vector<PngText>& texts = {});

// What reading a picture's texts allocates at most: a place needs well under
// a kilobyte, and a picture another program saved again may carry a colour
// profile of a few.
inline constexpr std::size_t MOST_CHUNK_BYTES = 256 * 1024;
inline constexpr int MOST_CHUNKS = 100;

// The text chunks (tEXt, zTXt, iTXt) before a PNG's image data, or why they
// cannot be read. Only a regular file is read; a chunk larger than
// MOST_CHUNK_BYTES makes the file unreadable.
struct PngTextReading {
  std::vector<PngText> texts;
  std::string error;  // "" when the file is a readable PNG
};
PngTextReading readPngText(const std::string& path);

// Reads a PNG as opaque 0xFFRRGGBB pixels; nothing when it cannot be read.
std::optional<Image> readPng(const std::string& path);

}  // namespace glyphverse
