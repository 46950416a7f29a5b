#pragma once
// Pages to PNG files and back (8-bit RGB; the alpha byte of a page is not shown).

#include <optional>
#include <string>

#include "display/image.h"

namespace glyphverse {

// Writes the image's red, green and blue. Returns an error message, or "" on success.
std::string writePng(const std::string& path, const Image& image);

// Reads a PNG as opaque 0xFFRRGGBB pixels; nothing when it cannot be read.
std::optional<Image> readPng(const std::string& path);

}  // namespace glyphverse
