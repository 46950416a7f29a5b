#pragma once
// I: the place in words, over the picture. The level by name, the galaxy
// cell and the position in it; for the system there (the star under the
// explorer on the galaxy) its name, stars, planets and nebula intensity with
// a word for it, a swatch of its colour, and its bodies as a row of glyphs.
// On a galaxy cell without a star it says so.

#include <functional>
#include <optional>

#include "app/mode.h"
#include "gen/place_facts.h"
#include "world/place.h"

namespace glyphverse {

class InfoPanel final : public Mode {
 public:
  // `where` tells the place to describe: the explorer's, or the crosshair's.
  explicit InfoPanel(std::function<Place()> where) : where_(std::move(where)) {}

  KeyUse handleKey(KeyCode /*key*/, double /*now*/) override { return KeyUse::unused; }
  void draw(Display& display, double now) override;
  // It only shows: held keys go on moving what is beneath it.
  bool takesHeldKeys() const override { return false; }

 private:
  std::function<Place()> where_;
  // The facts of the place described last; a place is described once.
  std::optional<Place> place_;
  PlaceFacts facts_;
};

}  // namespace glyphverse
