#pragma once
// The scanner: the level around the explorer at a few pixels a cell, ten
// times farther than the map sees, with a crosshair that the arrows steer
// and a prompt for typed coordinates. Closing it puts the explorer at the
// crosshair, as if it had walked there.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/line_editor.h"
#include "app/mode.h"
#include "app/navigation.h"
#include "app/timing.h"
#include "render/scanner_view.h"
#include "world/view_state.h"

namespace glyphverse {

class Scanner final : public Mode {
 public:
  static constexpr std::array<int, 4> ZOOMS = {1, 2, 4, 8};  // pixels a cell
  // An arrow moves the crosshair this many pixels a step (Shift: the slow one).
  static constexpr int STEP_PIXELS = 8;
  static constexpr int SLOW_STEP_PIXELS = 1;
  static constexpr std::size_t PROMPT_LENGTH = 60;
  static constexpr int PROMPT_ROW = 74;

  Scanner(ViewState& state, InputGates& gates, const FrameMeter& meter)
      : state_(state), gates_(gates), meter_(meter) {}

  bool isOpen() const { return open_; }
  std::int32_t x() const { return x_; }
  std::int32_t y() const { return y_; }
  int zoom() const { return ZOOMS[zoomIndex_]; }

  // Opens at the explorer's position, on a level with content only.
  bool open();
  void close() { open_ = prompting_ = false; }
  // The place under the crosshair, on the explorer's level and in its system.
  Place crosshairPlace() const;
  // Stars whose systems pass `filter` are marked in the picture (none: no marks).
  void setMarks(const StarFilter* filter) { marks_ = filter; }
  // These galaxy cells (a catalogue's systems) are ringed too (none: no rings).
  void setRinged(const std::vector<Position>* cells) { ringed_ = cells; }

  // The arrows, paced by the explorer's move gate; not while typing.
  void handleHeldKeys(const HeldKeys& keys, double now) override;
  // Zoom, G and its prompt, and M or Enter: back to the map at the
  // crosshair. Other keys (Esc outside the prompt) are left to the explorer.
  KeyUse handleKey(KeyCode key, double now) override;
  // A click puts the crosshair on the cell (the picture centres on it), a
  // double click travels there, a drag pans the picture and the wheel zooms.
  KeyUse handlePointer(const PointerEvent& event, double now) override;
  // The picture, the text display for the crosshair and the prompt.
  void draw(Display& display, double now) override;
  bool typesLine() const override { return open_ && prompting_; }
  void paste(std::string_view text) override { typed_.paste(text); }
  std::string takeCut() override { return typed_.takeCut(); }

 private:
  // The world cell under a pixel of the last picture drawn.
  Position cellAt(int pixelX, int pixelY) const;
  void zoomBy(int steps);
  void promptKey(KeyCode key);
  void goToTyped();
  void travel();

  ViewState& state_;
  InputGates& gates_;
  const FrameMeter& meter_;
  bool open_ = false;
  bool prompting_ = false;
  int zoomIndex_ = 0;
  std::int32_t x_ = 0;
  std::int32_t y_ = 0;
  // Two whole numbers and the spaces between them: "X Y", "-5 -7".
  LineEditor typed_{PROMPT_LENGTH,
                    [](char c) { return c == ' ' || c == '-' || (c >= '0' && c <= '9'); }};
  // What Enter could not go to; a hint shows until it is mended.
  std::optional<std::string> refused_;
  ScannerPicture picture_;
  const StarFilter* marks_ = nullptr;
  const std::vector<Position>* ringed_ = nullptr;
  int pageWidth_ = 600;  // of the last picture drawn
  int pageHeight_ = 600;
  // A press of the pointer: where, and where the crosshair was then.
  struct Press {
    int x = 0;
    int y = 0;
    Position crosshair;
    bool dragging = false;
  };
  std::optional<Press> press_;
};

}  // namespace glyphverse
