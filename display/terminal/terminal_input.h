#pragma once
// Keys from a terminal. A terminal reports presses, never releases, and a
// held key as the terminal's own repeated presses; so each press is a tap,
// held for one frame sample as Keyboard::press says, and a tap moves the
// explorer one cell while a held key goes on moving at the terminal's repeat
// rate. When the terminal is gone (end of input or a read error, as after a
// hang-up that was ignored), Esc is queued once, so the program ends instead
// of running on with no way to quit.

#include <vector>

#include "display/keyboard.h"
#include "display/terminal/terminal_keys.h"

namespace glyphverse {

class TerminalInput {
 public:
  explicit TerminalInput(int inputFd) : inputFd_(inputFd) {}

  // Reads what has come, queues its keys into `keys` and sets its held keys.
  void service(double now, Keyboard& keys);

 private:
  static constexpr int MAX_READS_PER_SERVICE = 16;  // a flood cannot hold up the frame

  void apply(const std::vector<TerminalKeyEvent>& events, Keyboard& keys);

  int inputFd_;
  bool gone_ = false;
  TerminalKeyParser parser_;
};

}  // namespace glyphverse
