#pragma once
// The explorer's place in a web page's address (the part after '#'): where
// an address starts the explorer, and when moving writes the address anew.

#include <optional>
#include <string>
#include <string_view>

#include "world/place.h"

namespace glyphverse {

struct AddressStart {
  Place place;
  // Why the address's text was not used, for the page to say; empty when
  // it was, or when there was none.
  std::string problem;
};

// The place an address names; the usual start at (10, 10) on the galaxy for
// an address with none, or with a text that is no place.
AddressStart startOfAddress(std::string_view text);

// Writes follow the explorer a few times a second at most, so the browser
// is not asked to change its address in every frame of a scroll; the last
// place of a move is written once the interval has passed.
class AddressUpdates {
 public:
  static constexpr double MIN_INTERVAL = 0.25;  // seconds between two writes

  // The address is taken to name `start` already.
  explicit AddressUpdates(const Place& start) : written_(start) {}

  // The text to write at clock reading `now` for the explorer at `place`,
  // or nothing when the address names it already or it is too soon.
  std::optional<std::string> due(const Place& place, double now);
  // The same without waiting: when the explorer stops for good.
  std::optional<std::string> last(const Place& place);

 private:
  Place written_;
  std::optional<double> writtenAt_;
};

}  // namespace glyphverse
