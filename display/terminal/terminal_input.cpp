#include "display/terminal/terminal_input.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <string_view>

namespace glyphverse {

void TerminalInput::service(double now, Keyboard& keys) {
  char buffer[4096];
  for (int reads = 0; !gone_ && inputFd_ >= 0 && reads < MAX_READS_PER_SERVICE; ++reads) {
    pollfd ready{inputFd_, POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0) break;
    const ssize_t count = ::read(inputFd_, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) break;
    if (count <= 0) {
      gone_ = true;
      keys.push(KeyCode::character(CHAR_ESC));
      break;
    }
    apply(parser_.feed(std::string_view(buffer, static_cast<std::size_t>(count)), now), keys);
  }
  apply(parser_.flush(now), keys);
}

void TerminalInput::apply(const std::vector<TerminalKeyEvent>& events, Keyboard& keys) {
  for (const TerminalKeyEvent& event : events) {
    if (!event.pasted.empty()) {
      keys.paste(event.pasted);
      continue;
    }
    keys.push(event.key);
    for (const int scanCode : event.scanCodes) keys.press(scanCode);
  }
}

}  // namespace glyphverse
