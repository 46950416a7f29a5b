#pragma once
// The scanner: the level around the explorer at a few pixels a cell, ten
// times farther than the map sees, with a crosshair that the arrows steer
// and a prompt for typed coordinates. Closing it puts the explorer at the
// crosshair, as if it had walked there.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/navigation.h"
#include "display/display.h"
#include "render/scanner_view.h"
#include "world/view_state.h"

namespace glyphverse {

class Scanner {
 public:
  static constexpr std::array<int, 4> ZOOMS = {1, 2, 4, 8};  // pixels a cell
  // An arrow moves the crosshair this many pixels a step (Shift: the slow one).
  static constexpr int STEP_PIXELS = 8;
  static constexpr int SLOW_STEP_PIXELS = 1;
  static constexpr std::size_t PROMPT_LENGTH = 24;

  bool isOpen() const { return open_; }
  bool prompting() const { return prompting_; }
  std::int32_t x() const { return x_; }
  std::int32_t y() const { return y_; }
  int zoom() const { return ZOOMS[zoomIndex_]; }

  // Opens at the explorer's position, on a level with content only.
  bool open(const ViewState& state);
  void close() { open_ = prompting_ = false; }

  // This frame's arrows, paced by the explorer's move gate.
  void handleInput(const HeldKeys& keys, double now, InputGates& gates);

  enum class KeyResult {
    notMine,      // Esc outside the prompt: the explorer's own
    used,         // taken (or dropped) by the scanner
    returnToMap,  // M or Enter: back to the map at the crosshair
  };
  KeyResult handleKey(std::string_view key);

  // The scanner's page and, when it is open, the prompt.
  void draw(Display& display, const ViewState& state);

 private:
  KeyResult promptKey(std::uint8_t code);
  void goToTyped();

  bool open_ = false;
  bool prompting_ = false;
  int zoomIndex_ = 0;
  std::int32_t x_ = 0;
  std::int32_t y_ = 0;
  std::string typed_;
  ScannerPicture picture_;
};

}  // namespace glyphverse
