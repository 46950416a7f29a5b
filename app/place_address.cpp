#include "app/place_address.h"

#include "app/explorer.h"

namespace glyphverse {

AddressStart startOfAddress(std::string_view text) {
  const Place usual = galaxyPlace(START_X, START_Y);
  if (text.empty()) return {usual, ""};
  PlaceReading reading = readPlace(text);
  if (reading.place) return {*reading.place, ""};
  return {usual, "The address names no place (" + reading.error + "), so the explorer starts at " +
                     placeText(usual) + "."};
}

std::optional<std::string> AddressUpdates::due(const Place& place, double now) {
  if (place == written_) return std::nullopt;
  if (writtenAt_ && now - *writtenAt_ < MIN_INTERVAL) return std::nullopt;
  writtenAt_ = now;
  written_ = place;
  return placeText(place);
}

std::optional<std::string> AddressUpdates::last(const Place& place) {
  if (place == written_) return std::nullopt;
  written_ = place;
  return placeText(place);
}

}  // namespace glyphverse
