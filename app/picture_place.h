#pragma once
// Pictures that know where they were taken: F12's PNG carries its place in
// a text chunk, and `glyphverse PICTURE.png` starts there.

#include <string>

#include "display/image.h"
#include "world/place.h"

namespace glyphverse {

inline constexpr const char* PICTURE_PLACE_KEYWORD = "glyphverse:place";

// Writes `image` as a PNG at `path` (complete or not at all) with the place's
// text under PICTURE_PLACE_KEYWORD. Returns "" or the reason it failed.
std::string writePictureOfPlace(const std::string& path, const Image& image, const Place& place);

// The place a picture was taken at, or why there is none to be had.
PlaceReading placeOfPicture(const std::string& path);

}  // namespace glyphverse
