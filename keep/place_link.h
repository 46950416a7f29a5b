#pragma once
// Places as links: "glyphverse:" followed by the place's text, which C
// copies and a desktop hands to the explorer (glyphverse %u).

#include <string>
#include <string_view>

#include "world/place.h"

namespace glyphverse {

inline constexpr std::string_view LINK_SCHEME = "glyphverse:";

// For example "glyphverse:2/1100/2100".
std::string placeLink(const Place& place);

// A place given as its text or as a link; "glyphverse://TEXT" is taken too,
// as some programs write every link with the slashes.
PlaceReading readPlaceOrLink(std::string_view text);

// Whether the text starts as a link does.
bool isPlaceLink(std::string_view text);

}  // namespace glyphverse
