#pragma once
// Runs the explorer's real start-up and frame loop on the headless display,
// driven by a script of held and typed keys on a virtual clock, and keeps the
// last frame drawn.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "display/image.h"
#include "display/keyboard.h"
#include "world/view_state.h"

namespace glyphverse {

struct ScriptStep {
  enum class Kind { wait, hold, type };
  Kind kind = Kind::wait;
  std::vector<int> scanCodes;  // held during the step's frames
  int frames = 0;
  KeyCode key;  // queued by a type step
};

struct SnapshotOptions {
  std::int32_t startX = 10;
  std::int32_t startY = 10;
  double frameTime = 0.02;  // seconds the clock moves at each frame's sleep
  std::vector<ScriptStep> steps;
  std::string out;
};

// A bad argument; the message names it.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Steps separated by ';': "wait N", "hold KEYS N" (KEYS joined by '+' from up,
// down, left, right, shift, space, alt), "type KEY" (esc, enter or one character).
std::vector<ScriptStep> parseScript(std::string_view script);
// [--start X,Y] [--frame-time S] [--script STEPS] --out FILE.png
SnapshotOptions parseSnapshotArguments(const std::vector<std::string>& arguments);

struct SnapshotResult {
  Image frame;  // the page completed in the last frame
  ViewState state;
  int frames = 0;
  bool ended = false;  // Esc was read
};

// With no step that runs a frame, one frame runs. Frames stop once Esc is read.
SnapshotResult runSnapshot(const SnapshotOptions& options);

// One line of JSON: x, y, viewLevel, nebIntens, systemName, starCount, planetCount, frames.
std::string snapshotJson(const SnapshotResult& result);

}  // namespace glyphverse
