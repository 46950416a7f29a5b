#include "display/terminal/console_backend.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <iterator>
#include <limits>
#include <string_view>
#include <thread>
#include <utility>

#include "display/cp437.h"
#include "display/font.h"
#include "display/steady_clock.h"

namespace glyphverse {
namespace {

constexpr std::string_view ENTER_SCREEN = "\x1b[?1049h\x1b[?25l\x1b[0m\x1b[2J";
constexpr std::string_view LEAVE_SCREEN = "\x1b[0m\x1b[?25h\x1b[?1049l";
constexpr std::string_view CLEAR_SCREEN = "\x1b[0m\x1b[2J";
constexpr Color NO_COLOR = 0xFFFFFFFF;  // never a cell's colour, which has no alpha
constexpr int HANDLED_SIGNALS[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGWINCH};
constexpr int MAX_READS_PER_SERVICE = 16;  // a flood of input cannot hold up the frame
constexpr int WRITE_WAIT_MILLISECONDS = 100;

// What must be put back, kept where a signal handler can reach it. Only one
// backend holds the terminal at a time.
struct HeldTerminal {
  volatile std::sig_atomic_t active = 0;
  int inputFd = -1;
  int outputFd = -1;
  bool rawMode = false;
  bool alternateScreen = false;
  termios saved{};
};

HeldTerminal heldTerminal;
volatile std::sig_atomic_t windowChanged = 0;

// Also run from signal handlers: write and tcsetattr only.
void writeFully(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) {
      pollfd ready{fd, POLLOUT, 0};
      if (::poll(&ready, 1, WRITE_WAIT_MILLISECONDS) > 0) continue;
    }
    if (written <= 0) return;  // the terminal is gone: nothing left to show it on
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

void restoreHeldTerminal() {
  if (heldTerminal.active == 0) return;
  if (heldTerminal.alternateScreen) writeFully(heldTerminal.outputFd, LEAVE_SCREEN);
  if (heldTerminal.rawMode) ::tcsetattr(heldTerminal.inputFd, TCSANOW, &heldTerminal.saved);
  heldTerminal.active = 0;
}

void onEndingSignal(int signalNumber) {
  const int savedErrno = errno;
  restoreHeldTerminal();
  // SA_RESETHAND has put the default action back; it ends the program as
  // soon as this handler returns.
  std::raise(signalNumber);
  errno = savedErrno;
}

void onWindowChange(int /*signal*/) {
  windowChanged = 1;
}

void restoreAtExit() {
  static bool registered = false;
  if (!registered) registered = std::atexit(restoreHeldTerminal) == 0;
}

// No echo, no line editing, every byte as it comes; Ctrl+C and Ctrl+\ still
// interrupt. Ctrl+Z would stop the program with the terminal still raw, so
// it comes in as key 26 instead.
termios rawModeOf(termios mode) {
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
  mode.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP);
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  mode.c_cc[VSUSP] = _POSIX_VDISABLE;
  return mode;
}

bool isBlank(std::uint8_t code) {
  return code == 0 || code == ' ' || code == 255;
}

void appendColor(std::string& out, int layer, Color rgb) {
  out += "\x1b[" + std::to_string(layer) + ";2;" + std::to_string((rgb >> 16) & 0xFF) + ';' +
         std::to_string((rgb >> 8) & 0xFF) + ';' + std::to_string(rgb & 0xFF) + 'm';
}

}  // namespace

// Where the terminal's cursor stands and which colours it draws with, within
// one flush; -1 and NO_COLOR when not known.
struct ConsoleBackend::Pen {
  int row = -1;
  int column = -1;
  Color fore = NO_COLOR;
  Color back = NO_COLOR;
};

ConsoleBackend::ConsoleBackend(int inputFd, int outputFd, std::function<double()> clock)
    : inputFd_(inputFd), outputFd_(outputFd), clock_(std::move(clock)) {
  lastPressed_.fill(-std::numeric_limits<double>::infinity());
}

ConsoleBackend::~ConsoleBackend() {
  close();
}

Surface ConsoleBackend::open(int width, int height, const std::string& /*title*/) {
  close();
  rows_ = std::max(0, height / GLYPH_SIZE);
  columns_ = std::max(0, width / GLYPH_SIZE);
  cells_.assign(static_cast<std::size_t>(rows_) * columns_,
                Cell{' ', 0, rgbOf(DEFAULT_BACKGROUND)});
  shown_.resize(cells_.size());
  forgetShownCells();
  outputIsTerminal_ = ::isatty(outputFd_) == 1;
  inputOpen_ = inputFd_ >= 0;
  takeTerminal();
  open_ = true;
  lastSizeCheck_ = -std::numeric_limits<double>::infinity();
  checkTerminalSize(seconds());
  clearPending_ = false;  // the screen was just cleared, or is no terminal
  dirty_ = true;
  flushedOnce_ = false;
  return Surface::terminal;
}

void ConsoleBackend::takeTerminal() {
  if (heldTerminal.active != 0) return;  // another backend has it: its modes stay
  termios saved{};
  const bool rawMode = ::isatty(inputFd_) == 1 && ::tcgetattr(inputFd_, &saved) == 0;
  if (!rawMode && !outputIsTerminal_) return;
  heldTerminal.inputFd = inputFd_;
  heldTerminal.outputFd = outputFd_;
  heldTerminal.rawMode = rawMode;
  heldTerminal.alternateScreen = outputIsTerminal_;
  heldTerminal.saved = saved;
  restoreAtExit();
  heldTerminal.active = 1;
  holdsTerminal_ = true;
  installSignalHandlers();
  if (rawMode) {
    const termios raw = rawModeOf(saved);
    ::tcsetattr(inputFd_, TCSANOW, &raw);
  }
  if (outputIsTerminal_) writeFully(outputFd_, ENTER_SCREEN);
}

void ConsoleBackend::installSignalHandlers() {
  static_assert(std::size(HANDLED_SIGNALS) == SIGNAL_COUNT);
  for (int i = 0; i < SIGNAL_COUNT; ++i) {
    const int signalNumber = HANDLED_SIGNALS[i];
    struct sigaction current {};
    // A handler or an ignore the program chose stays in charge.
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
      continue;
    }
    const bool resize = signalNumber == SIGWINCH;
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = resize ? onWindowChange : onEndingSignal;
    action.sa_flags = resize ? SA_RESTART : SA_RESETHAND;
    installed_[i] = ::sigaction(signalNumber, &action, &previousActions_[i]) == 0;
  }
}

void ConsoleBackend::restoreSignalHandlers() {
  for (int i = 0; i < SIGNAL_COUNT; ++i) {
    if (installed_[i]) ::sigaction(HANDLED_SIGNALS[i], &previousActions_[i], nullptr);
    installed_[i] = false;
  }
}

void ConsoleBackend::close() {
  if (!open_) return;
  open_ = false;
  if (!holdsTerminal_) return;
  restoreHeldTerminal();
  restoreSignalHandlers();
  holdsTerminal_ = false;
}

void ConsoleBackend::service(const Image* /*visible*/, bool /*visibleChanged*/, Keyboard& keys) {
  if (!open_) return;
  const double now = seconds();
  readInput(now, keys);
  updateHeldKeys(now, keys);
  checkTerminalSize(now);
  if (!dirty_ || (flushedOnce_ && now - lastFlush_ < FLUSH_INTERVAL_SECONDS)) return;
  const std::string output = changedCellsOutput();
  dirty_ = false;
  flushedOnce_ = true;
  lastFlush_ = now;
  if (!output.empty()) writeFully(outputFd_, output);
}

double ConsoleBackend::seconds() {
  return clock_ ? clock_() : steadySeconds();
}

void ConsoleBackend::sleepMillis(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(std::max(0, milliseconds)));
}

void ConsoleBackend::readInput(double now, Keyboard& keys) {
  char buffer[4096];
  for (int reads = 0; inputOpen_ && reads < MAX_READS_PER_SERVICE; ++reads) {
    pollfd ready{inputFd_, POLLIN, 0};
    if (::poll(&ready, 1, 0) <= 0) break;
    const ssize_t count = ::read(inputFd_, buffer, sizeof buffer);
    if (count < 0 && (errno == EINTR || errno == EAGAIN)) break;
    if (count <= 0) {
      inputOpen_ = false;  // end of input: no more keys will come
      break;
    }
    applyKeys(parser_.feed(std::string_view(buffer, static_cast<std::size_t>(count)), now), now,
              keys);
  }
  applyKeys(parser_.flush(now), now, keys);
}

void ConsoleBackend::applyKeys(const std::vector<TerminalKeyEvent>& events, double now,
                               Keyboard& keys) {
  for (const TerminalKeyEvent& event : events) {
    keys.push(event.key);
    for (const int scanCode : event.scanCodes) {
      if (scanCode >= 0 && scanCode < Keyboard::SCAN_CODE_COUNT) lastPressed_[scanCode] = now;
    }
  }
}

void ConsoleBackend::updateHeldKeys(double now, Keyboard& keys) {
  for (int scanCode = 0; scanCode < Keyboard::SCAN_CODE_COUNT; ++scanCode) {
    keys.setDown(scanCode, now - lastPressed_[scanCode] < HOLD_SECONDS);
  }
}

void ConsoleBackend::checkTerminalSize(double now) {
  if (windowChanged == 0 && now - lastSizeCheck_ < SIZE_CHECK_SECONDS) return;
  windowChanged = 0;
  lastSizeCheck_ = now;
  winsize size{};
  if (::ioctl(outputFd_, TIOCGWINSZ, &size) != 0) size = winsize{};
  if (size.ws_row == terminalRows_ && size.ws_col == terminalColumns_) return;
  terminalRows_ = size.ws_row;
  terminalColumns_ = size.ws_col;
  // A resized terminal may have moved or lost what it showed: draw it all anew.
  forgetShownCells();
  clearPending_ = outputIsTerminal_;
  dirty_ = true;
}

void ConsoleBackend::forgetShownCells() {
  std::fill(shown_.begin(), shown_.end(), Cell{0, NO_COLOR, NO_COLOR});
}

std::string ConsoleBackend::changedCellsOutput() {
  std::string out;
  if (std::exchange(clearPending_, false)) out += CLEAR_SCREEN;
  const int rows = terminalRows_ > 0 ? std::min(rows_, terminalRows_) : rows_;
  const int columns = terminalColumns_ > 0 ? std::min(columns_, terminalColumns_) : columns_;
  Pen pen;
  for (int row = 0; row < rows; ++row) {
    for (int column = 0; column < columns; ++column) {
      const std::size_t index = static_cast<std::size_t>(row) * columns_ + column;
      if (cells_[index] == shown_[index]) continue;
      appendCell(out, row, column, cells_[index], pen);
      shown_[index] = cells_[index];
    }
  }
  return out;
}

void ConsoleBackend::appendCell(std::string& out, int row, int column, const Cell& cell,
                                Pen& pen) const {
  if (pen.row != row || pen.column != column) {
    out += "\x1b[" + std::to_string(row + 1) + ';' + std::to_string(column + 1) + 'H';
  }
  if (!isBlank(cell.code) && cell.fore != pen.fore) {
    appendColor(out, 38, cell.fore);
    pen.fore = cell.fore;
  }
  if (cell.back != pen.back) {
    appendColor(out, 48, cell.back);
    pen.back = cell.back;
  }
  const char32_t character = cp437ToUnicode(cell.code);
  appendUtf8(out, character);
  pen.row = row;
  // Some terminals draw symbols two cells wide: after one, place the next
  // character explicitly rather than trust the cursor.
  pen.column = character < 0x80 ? column + 1 : -1;
}

void ConsoleBackend::clearText(Color background) {
  const Cell blank{' ', 0, rgbOf(background)};
  for (Cell& cell : cells_) {
    if (cell == blank) continue;
    cell = blank;
    dirty_ = true;
  }
}

void ConsoleBackend::putText(int row, int column, std::uint8_t code, Color fore, Color back) {
  if (row < 1 || row > rows_ || column < 1 || column > columns_) return;
  // A blank shows no foreground, so its colour must not count as a change.
  const Cell cell{code, isBlank(code) ? 0 : rgbOf(fore), rgbOf(back)};
  Cell& target = cells_[static_cast<std::size_t>(row - 1) * columns_ + (column - 1)];
  if (target == cell) return;
  target = cell;
  dirty_ = true;
}

}  // namespace glyphverse
