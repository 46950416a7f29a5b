#include "keep/place_link.h"

namespace glyphverse {

std::string placeLink(const Place& place) {
  return std::string(LINK_SCHEME) + placeText(place);
}

bool isPlaceLink(std::string_view text) {
  return text.substr(0, LINK_SCHEME.size()) == LINK_SCHEME;
}

PlaceReading readPlaceOrLink(std::string_view text) {
  if (isPlaceLink(text)) {
    text.remove_prefix(LINK_SCHEME.size());
    if (text.substr(0, 2) == "//") text.remove_prefix(2);
  }
  return readPlace(text);
}

}  // namespace glyphverse
