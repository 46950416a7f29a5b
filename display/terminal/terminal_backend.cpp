#include "display/terminal/terminal_backend.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <limits>
#include <string_view>
#include <thread>
#include <utility>

#include "display/cp437.h"
#include "display/font.h"
#include "display/steady_clock.h"
#include "display/terminal/plain_text.h"

namespace glyphverse {
namespace {

std::string base64Of(std::string_view bytes) {
  static constexpr char DIGITS[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); i += 3) {
    const std::size_t count = std::min<std::size_t>(3, bytes.size() - i);
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 3; ++k) {
      group = group << 8 | (k < count ? static_cast<std::uint8_t>(bytes[i + k]) : 0u);
    }
    for (std::size_t k = 0; k < 4; ++k) {
      out += k <= count ? DIGITS[(group >> (18 - 6 * k)) & 63] : '=';
    }
  }
  return out;
}

}  // namespace

TerminalBackend::TerminalBackend(int inputFd, int outputFd, std::function<double()> clock,
                                 TerminalOptions options)
    : outputFd_(outputFd),
      clock_(std::move(clock)),
      options_(options),
      session_(inputFd, outputFd),
      input_(inputFd),
      screen_(options.colorMode) {}

TerminalBackend::~TerminalBackend() {
  close();
}

Surface TerminalBackend::open(int width, int height, const std::string& /*title*/) {
  close();
  if (options_.needsKeyboard && !session_.inputIsTerminal()) return Surface::none;
  rows_ = std::max(0, height / GLYPH_SIZE);
  columns_ = std::max(0, width / GLYPH_SIZE);
  session_.take();
  // Pages whenever a picture could ever be shown: a terminal that is too
  // small now may be enlarged at any time.
  wantsPicture_ = options_.picture && session_.outputIsTerminal();
  writesPlainText_ = options_.plainTextOffTerminal && !session_.outputIsTerminal();
  lastPlainText_.clear();
  open_ = true;
  fitScreen(session_.size());
  lastSizeCheck_ = seconds();
  flushedOnce_ = false;
  return wantsPicture_ ? Surface::pages : Surface::terminal;
}

void TerminalBackend::close() {
  if (!open_) return;
  open_ = false;
  // A picture cut short may end inside a code: finishing it (up to the next
  // code) keeps the terminal from reading what follows as part of it.
  if (pendingSent_ > 0 && pendingSent_ < pending_.size()) {
    const std::string_view rest = std::string_view(pending_).substr(pendingSent_);
    writeFully(session_.pictureFd(), rest.substr(0, rest.find('\x1b')));
  }
  session_.release();
  pending_.clear();
  pendingSent_ = 0;
}

double TerminalBackend::seconds() {
  return clock_ ? clock_() : steadySeconds();
}

void TerminalBackend::sleepMillis(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, milliseconds)));
}

void TerminalBackend::service(const Shown& shown, Keyboard& keys) {
  if (!open_) return;
  const double now = seconds();
  input_.service(now, keys);
  if (session_.takeResumed()) redrawAll_ = true;
  checkTerminalSize(now);
  if (redrawAll_) {
    screen_.forget();
    redrawAll_ = false;
  }
  sendPending();
  if (!pending_.empty()) return;  // still taking the last picture: this one is skipped
  // Pictures are made of finished frames, handed over as they become visible.
  if (shown.frame == nullptr) return;
  if (flushedOnce_ && now - lastFlush_ < FLUSH_INTERVAL_SECONDS) return;
  flushedOnce_ = true;
  lastFlush_ = now;
  if (writesPlainText_) {
    queuePlainText(*shown.frame);
    sendPending();
    return;
  }
  picture_.draw(*shown.frame, shown.page, layout_, screen_.rows(), screen_.columns(), !showsPages_,
                wanted_);
  const int cells = screen_.render(wanted_, pending_);
  if (pending_.empty()) return;
  ++count_.pictures;
  count_.cells += cells;
  sendPending();
}

bool TerminalBackend::setClipboardText(const std::string& text) {
  if (!open_ || !session_.outputIsTerminal()) return false;
  const std::string request = "\x1b]52;c;" + base64Of(text) + "\x07";
  // Never inside a picture the terminal is still taking: after it.
  if (pending_.empty()) {
    writeFully(session_.pictureFd(), request);
  } else {
    pending_ += request;
  }
  return false;
}

void TerminalBackend::queuePlainText(const Frame& frame) {
  PlainText plain = plainTextOf(frame, layout_);
  if (plain.changing == lastPlainText_) return;
  lastPlainText_ = std::move(plain.changing);
  pending_ = std::move(plain.lines);
  ++count_.pictures;
}

// Writes as much of the pending picture as the terminal takes now.
void TerminalBackend::sendPending() {
  const int fd = session_.pictureFd();
  while (pendingSent_ < pending_.size()) {
    const ssize_t written =
        ::write(fd, pending_.data() + pendingSent_, pending_.size() - pendingSent_);
    if (written > 0) {
      pendingSent_ += static_cast<std::size_t>(written);
      count_.bytes += written;
      continue;
    }
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) return;  // the terminal is busy: the rest waits
    break;                                       // the terminal is gone: nothing left to show it on
  }
  pending_.clear();
  pendingSent_ = 0;
}

void TerminalBackend::checkTerminalSize(double now) {
  if (!session_.takeResized() && now - lastSizeCheck_ < SIZE_CHECK_SECONDS) return;
  lastSizeCheck_ = now;
  const TerminalSize size = session_.size();
  if (size.rows == terminalSize_.rows && size.columns == terminalSize_.columns) return;
  fitScreen(size);
}

// A resized terminal may have moved or lost what it showed: all is drawn anew,
// as the picture when it has room for one, else as the text alone.
void TerminalBackend::fitScreen(TerminalSize size) {
  terminalSize_ = size;
  showsPages_ =
      wantsPicture_ && size.rows >= MIN_PICTURE_ROWS && size.columns >= MIN_PICTURE_COLUMNS;
  if (showsPages_) {
    screen_.resize(size.rows, size.columns);
  } else {
    // A size that is not known (no terminal) cuts nothing off.
    screen_.resize(size.rows > 0 ? std::min(rows_, size.rows) : rows_,
                   size.columns > 0 ? std::min(columns_, size.columns) : columns_);
  }
}

}  // namespace glyphverse
