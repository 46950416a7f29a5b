#include "app/picture_place.h"

#include "base/message_text.h"
#include "display/png_io.h"

namespace glyphverse {

NewFileOutcome writePictureOfPlace(const std::string& path, const Image& image,
                                   const Place& place) {
  std::string error;
  const std::string bytes =
      encodePng(image, error, {PngText{PICTURE_PLACE_KEYWORD, placeText(place)}});
  if (bytes.empty()) return {error};
  return writeNewFileSafely(path, bytes);
}

PlaceReading placeOfPicture(const std::string& path) {
  const PngTextReading reading = readPngText(path);
  if (!reading.error.empty()) return PlaceReading{std::nullopt, reading.error};
  for (const PngText& text : reading.texts) {
    if (text.keyword != PICTURE_PLACE_KEYWORD) continue;
    PlaceReading place = readPlace(text.text);
    if (!place.place)
      place.error = escapeControlBytes(path) + " names no place it can be: " + place.error;
    return place;
  }
  return PlaceReading{std::nullopt, escapeControlBytes(path) +
                                        " does not say where it was taken (pictures saved with "
                                        "F12 do)"};
}

}  // namespace glyphverse
