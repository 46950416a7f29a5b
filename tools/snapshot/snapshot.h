#pragma once
// Runs the explorer's real start-up and frame loop on the headless display,
// driven by a script of held and typed keys on a virtual clock, and keeps the
// last frame drawn.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/catalogue_panel.h"
#include "display/image.h"
#include "tools/snapshot/script.h"
#include "world/place.h"
#include "world/view_state.h"

namespace glyphverse {

// The longest frame time: more would let a long run's clock lose its
// precision (and a huge one drive it to infinity).
inline constexpr double MAX_FRAME_TIME = 1.0;

struct SnapshotOptions {
  Place start = galaxyPlace(10, 10);
  double frameTime = 0.02;  // seconds the clock moves at each frame's sleep, 0 to MAX_FRAME_TIME
  std::vector<ScriptStep> steps;
  std::string out;
  // A hunt's catalogue shown in its panel from the start (--catalogue).
  std::string cataloguePath;
  std::shared_ptr<const CatalogueList> catalogue;
};

struct SnapshotResult {
  Image frame;                    // the page completed in the last frame
  std::vector<std::string> text;  // the text printed on it, row by row
  ViewState state;
  std::int64_t frames = 0;
  bool ended = false;        // Esc was read
  bool scannerOpen = false;  // and then where its crosshair is, at what zoom
  std::int32_t scannerX = 0;
  std::int32_t scannerY = 0;
  int scannerZoom = 0;
};

// Told the number of frames run so far, after each frame.
using FrameObserver = std::function<void(std::int64_t frames)>;

// With no step that runs a frame, one frame runs. Frames stop once Esc is read.
SnapshotResult runSnapshot(const SnapshotOptions& options, const FrameObserver& onFrame = {});

// One line of JSON: x, y, viewLevel, nebIntens, systemName, starCount, planetCount, frames,
// place.
std::string snapshotJson(const SnapshotResult& result);

}  // namespace glyphverse
