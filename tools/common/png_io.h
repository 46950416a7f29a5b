#pragma once
// Pages to PNG files and back (8-bit RGB; the alpha byte of a page is not shown).

#include <optional>
#include <string>

#include "display/image.h"

namespace glyphverse {

// The image's red, green and blue as the bytes of a PNG file; empty when the
// encoder fails, with its reason in `error`.
std::string encodePng(const Image& image, std::string& error);

// Writes the image as a PNG without ever destroying what `path` held before
// (see writeFileSafely). Returns an error message with its reason, or "".
std::string writePng(const std::string& path, const Image& image);

// Reads a PNG as opaque 0xFFRRGGBB pixels; nothing when it cannot be read.
std::optional<Image> readPng(const std::string& path);

}  // namespace glyphverse
