#pragma once
// Pictures that know where they were taken: F12's PNG carries its place in
// a text chunk, and `glyphverse PICTURE.png` starts there.

#include <string>

#include "base/output_file.h"
#include "display/image.h"
#include "world/place.h"

namespace glyphverse {

inline constexpr const char* PICTURE_PLACE_KEYWORD = "glyphverse:place";

// Writes `image` as a new PNG at `path` (complete or not at all, and never
// over a file of that name) with the place's text under
// PICTURE_PLACE_KEYWORD.
NewFileOutcome writePictureOfPlace(const std::string& path, const Image& image, const Place& place);

// The place a picture was taken at, or why there is none to be had.
PlaceReading placeOfPicture(const std::string& path);

}  // namespace glyphverse
