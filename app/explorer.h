#pragma once
// The explorer's start-up and its frame loop.

#include <cstdint>

#include "app/navigation.h"
#include "app/scanner.h"
#include "app/screenshots.h"
#include "app/timing.h"
#include "display/display.h"
#include "world/place.h"
#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr Color TEXT_COLOR = 0xFF502828;
inline constexpr int SCREEN_SIZE = 600;
inline constexpr std::int32_t START_X = 10;
inline constexpr std::int32_t START_Y = 10;
inline constexpr int MAP_LEFT = 50;
inline constexpr int MAP_TOP = 50;
inline constexpr int TEXT_DISPLAY_ROWS = 5;

class Explorer {
 public:
  // Start-up: opens the screen, builds the terrain tiles and places the
  // explorer at (startX, startY) on the galaxy, under the galaxy's tables.
  // F12 saves pictures through `savePicture` (none: it says it cannot).
  explicit Explorer(Display& display, std::int32_t startX = START_X, std::int32_t startY = START_Y,
                    PictureWriter savePicture = {});
  // The same, with the explorer at `start` as walking there would leave it
  // (stateAt): on a level below the galaxy, in the system entered there.
  Explorer(Display& display, const Place& start, PictureWriter savePicture);

  // One frame: input, map, drawing, text display, page flip, sleep and the
  // key poll. Returns false once Esc has been read.
  bool runFrame();
  // Frames until Esc.
  void run();

  // The page's parts: the text display and the map.
  static PageRegions pageRegions();

  const ViewState& state() const { return state_; }
  const ViewMap& map() const { return map_; }
  const Scanner& scanner() const { return scanner_; }
  // The page that the last frame drew (and that the next frame shows).
  int lastDrawnPage() const { return 1 - page_; }

 private:
  bool handleKey(const std::string& key);
  void printNameLine(bool onStar, std::int32_t x, std::int32_t y);
  void printTextDisplay(std::int32_t x, std::int32_t y);

  Display& display_;
  int page_ = 0;
  ViewState state_;
  FrameMeter meter_;
  InputGates gates_;
  ViewMap map_;
  Scanner scanner_;
  bool helpShown_ = false;
  Screenshots screenshots_;
};

}  // namespace glyphverse
