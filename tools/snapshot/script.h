#pragma once
// The snapshot tool's script: the keys held and typed over a run of frames.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "display/keyboard.h"

namespace glyphverse {

// A whole run has at most this many frames (about two days of the explorer's
// time at 50 frames a second, and minutes of work headless).
inline constexpr std::int64_t MAX_RUN_FRAMES = 10'000'000;

struct ScriptStep {
  enum class Kind { wait, hold, type, text, burst };
  Kind kind = Kind::wait;
  std::vector<int> scanCodes;  // held during the step's frames
  int frames = 0;
  KeyCode key;       // queued by a type step
  std::string text;  // typed by a text step one character a frame, by a burst all at once
};

// A bad argument; the message names it.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Steps separated by ';' or line breaks: "wait N", "hold KEYS N" (KEYS
// joined by '+' from up, down, left, right, shift, space, alt), "type KEY"
// (esc, enter or one character, and a few other keys by name), "text
// CHARACTERS" (typed one a frame, spaces included), "burst CHARACTERS" (all
// queued at once, as fast typing sends them). N is 0 to MAX_RUN_FRAMES, and all steps
// together run at most MAX_RUN_FRAMES frames. Throws UsageError naming the
// step (the caller names the option it came from).
std::vector<ScriptStep> parseScript(std::string_view script);

// The frames that the steps run, before Esc may end them.
std::int64_t scriptFrames(const std::vector<ScriptStep>& steps);

}  // namespace glyphverse
