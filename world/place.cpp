#include "world/place.h"

#include <vector>

#include "world/geometry.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

std::vector<std::string_view> split(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t start = 0;;) {
    const std::size_t slash = text.find('/', start);
    parts.push_back(text.substr(start, slash == std::string_view::npos ? slash : slash - start));
    if (slash == std::string_view::npos) return parts;
    start = slash + 1;
  }
}

// The level: decimal digits only, at most `largest`; nullopt otherwise.
std::optional<std::int64_t> readLevel(std::string_view digits, std::int64_t largest) {
  if (digits.empty() || digits.front() == '-') return std::nullopt;
  return readWholeNumber(digits, 0, largest);
}

PlaceReading refused(std::string error) {
  return PlaceReading{std::nullopt, std::move(error)};
}

}  // namespace

std::string placeText(const Place& place) {
  const auto number = [](std::int32_t v) { return std::to_string(v); };
  std::string text =
      number(place.viewLevel) + "/" + number(place.galaxy.x) + "/" + number(place.galaxy.y);
  if (place.viewLevel != GALAXY_LEVEL) {
    text += "/" + number(place.local.x) + "/" + number(place.local.y);
  }
  return text;
}

PlaceReading readPlace(std::string_view text) {
  if (text.empty()) return refused("the place is empty");
  const std::vector<std::string_view> parts = split(text);
  const auto level = readLevel(parts[0], DEEPEST_PLACE_LEVEL);
  if (!level || *level < GALAXY_LEVEL) {
    return refused("the place must start with its level, a number from " +
                   std::to_string(GALAXY_LEVEL) + " (the galaxy) to " +
                   std::to_string(DEEPEST_PLACE_LEVEL));
  }
  const bool onGalaxy = *level == GALAXY_LEVEL;
  const std::size_t wanted = onGalaxy ? 3 : 5;
  if (parts.size() != wanted) {
    return refused(onGalaxy ? "a place on the galaxy has three parts: 2/X/Y"
                            : "a place below the galaxy has five parts: LEVEL/GX/GY/X/Y");
  }
  static constexpr const char* NAMES_ON_GALAXY[] = {"X", "Y"};
  static constexpr const char* NAMES_BELOW[] = {"GX", "GY", "X", "Y"};
  std::int32_t numbers[4] = {};
  for (std::size_t i = 1; i < parts.size(); ++i) {
    // As every program reads a coordinate: -1 is 16777215, 16777216 is 0.
    const auto value = readCoordinate(parts[i]);
    if (!value) {
      return refused(std::string(onGalaxy ? NAMES_ON_GALAXY[i - 1] : NAMES_BELOW[i - 1]) +
                     " must be a whole number (digits, with a minus for negatives)");
    }
    numbers[i - 1] = *value;
  }
  Place place;
  place.viewLevel = static_cast<std::int32_t>(*level);
  place.galaxy = {numbers[0], numbers[1]};
  if (!onGalaxy) place.local = {numbers[2], numbers[3]};
  return PlaceReading{place, ""};
}

}  // namespace glyphverse
