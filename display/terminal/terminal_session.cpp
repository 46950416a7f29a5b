#include "display/terminal/terminal_session.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <exception>
#include <iterator>
#include <optional>

#include "base/ending_signals.h"

namespace glyphverse {
namespace {

// Bracketed paste on: pasted text comes marked, so it is not taken for keys.
constexpr std::string_view ENTER_SCREEN = "\x1b[?1049h\x1b[?25l\x1b[?2004h\x1b[0m\x1b[2J";
constexpr std::string_view LEAVE_SCREEN = "\x1b[?2004l\x1b[0m\x1b[?25h\x1b[?1049l";
// How long a write waits, all told, for a terminal that takes nothing: a
// stalled terminal must never keep the program from ending.
constexpr long WRITE_WAIT_MILLISECONDS = 100;

// Signals besides the ending ones, which base/ending_signals owns.
constexpr int OTHER_SIGNALS[] = {SIGTSTP, SIGCONT, SIGWINCH};
constexpr std::size_t SIGNAL_COUNT = std::size(OTHER_SIGNALS);

// What must be put back, where a signal handler can reach it.
struct HeldTerminal {
  volatile std::sig_atomic_t active = 0;
  int inputFd = -1;
  int outputFd = -1;
  bool rawMode = false;
  bool alternateScreen = false;
  termios saved{};
  termios raw{};
  std::array<struct sigaction, SIGNAL_COUNT> previous{};
  std::array<bool, SIGNAL_COUNT> installed{};
};

HeldTerminal held;
volatile std::sig_atomic_t resized = 0;
volatile std::sig_atomic_t resumed = 0;
std::terminate_handler previousTerminate = nullptr;

// Puts the terminal back without forgetting that it is held: a stop gives it
// back for a while.
void giveBack() {
  if (held.alternateScreen) writeFully(held.outputFd, LEAVE_SCREEN);
  if (held.rawMode) ::tcsetattr(held.inputFd, TCSANOW, &held.saved);
}

void takeAgain() {
  if (held.rawMode) ::tcsetattr(held.inputFd, TCSANOW, &held.raw);
  if (held.alternateScreen) writeFully(held.outputFd, ENTER_SCREEN);
}

void restoreHeldTerminal() {
  if (held.active == 0) return;
  held.active = 0;
  giveBack();
}

void onStop(int /*signal*/) {
  const int savedErrno = errno;
  if (held.active != 0) giveBack();
  // Stop as the default would; execution goes on here after the continue.
  struct sigaction stop {};
  sigemptyset(&stop.sa_mask);
  stop.sa_handler = SIG_DFL;
  struct sigaction mine {};
  ::sigaction(SIGTSTP, &stop, &mine);
  sigset_t unblock;
  sigemptyset(&unblock);
  sigaddset(&unblock, SIGTSTP);
  ::sigprocmask(SIG_UNBLOCK, &unblock, nullptr);
  ::raise(SIGTSTP);
  ::sigaction(SIGTSTP, &mine, nullptr);
  if (held.active != 0) takeAgain();
  resumed = 1;
  errno = savedErrno;
}

void onContinue(int /*signal*/) {
  resumed = 1;  // stopped by SIGSTOP, which no handler sees: redraw all the same
}

void onWindowChange(int /*signal*/) {
  resized = 1;
}

void onTerminate() {
  restoreHeldTerminal();
  if (previousTerminate != nullptr) previousTerminate();
  std::abort();
}

// Put back by every ending signal, while the terminal is held.
std::optional<EndingSignalCleanup> endingSignalCleanup;

void installHandlers() {
  endingSignalCleanup.emplace([](void*) { restoreHeldTerminal(); }, nullptr);
  for (std::size_t i = 0; i < SIGNAL_COUNT; ++i) {
    const int signalNumber = OTHER_SIGNALS[i];
    struct sigaction current {};
    // A handler or an ignore the program chose stays in charge.
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) {
      held.installed[i] = false;
      continue;
    }
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = signalNumber == SIGWINCH  ? onWindowChange
                        : signalNumber == SIGCONT ? onContinue
                                                  : onStop;
    action.sa_flags = SA_RESTART;
    held.installed[i] = ::sigaction(signalNumber, &action, &held.previous[i]) == 0;
  }
  previousTerminate = std::set_terminate(onTerminate);
}

void restoreHandlers() {
  for (std::size_t i = 0; i < SIGNAL_COUNT; ++i) {
    if (held.installed[i]) ::sigaction(OTHER_SIGNALS[i], &held.previous[i], nullptr);
    held.installed[i] = false;
  }
  endingSignalCleanup.reset();
  std::set_terminate(previousTerminate);
}

void restoreAtExit() {
  static bool registered = false;
  if (!registered) registered = std::atexit(restoreHeldTerminal) == 0;
}

// No echo, no line editing, every byte as it comes; Ctrl+C, Ctrl+\ and
// Ctrl+Z keep their signals, which give the terminal back first.
termios rawModeOf(termios mode) {
  mode.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN);
  mode.c_iflag &= ~static_cast<tcflag_t>(IXON | ICRNL | INLCR | IGNCR | ISTRIP);
  mode.c_cc[VMIN] = 0;
  mode.c_cc[VTIME] = 0;
  return mode;
}

// A descriptor of its own for the terminal, so that making it non-blocking
// changes nothing for the shell that shares the original one.
int openNonBlocking(int fd) {
  char path[256];
  if (::ttyname_r(fd, path, sizeof path) != 0) return -1;
  return ::open(path, O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

long monotonicMilliseconds() {
  timespec now{};
  ::clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

void writeFully(int fd, std::string_view bytes) {
  // Non-blocking for the while, so that a full terminal makes write() fail
  // instead of waiting for ever; every call here is safe in a signal handler.
  const int flags = ::fcntl(fd, F_GETFL);
  const bool madeNonBlocking =
      flags >= 0 && (flags & O_NONBLOCK) == 0 && ::fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
  const long deadline = monotonicMilliseconds() + WRITE_WAIT_MILLISECONDS;
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written < 0 && errno == EAGAIN) {
      const long left = deadline - monotonicMilliseconds();
      pollfd ready{fd, POLLOUT, 0};
      if (left > 0 && ::poll(&ready, 1, static_cast<int>(left)) > 0) continue;
      break;  // still full: what is left is dropped
    }
    if (written <= 0) break;  // the terminal is gone: nothing left to show it on
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  if (madeNonBlocking) ::fcntl(fd, F_SETFL, flags);
}

bool TerminalSession::inputIsTerminal() const {
  return ::isatty(inputFd_) == 1;
}

void TerminalSession::take() {
  outputIsTerminal_ = ::isatty(outputFd_) == 1;
  if (held.active != 0) return;  // another session has it: its modes stay
  termios saved{};
  const bool rawMode = inputIsTerminal() && ::tcgetattr(inputFd_, &saved) == 0;
  if (!rawMode && !outputIsTerminal_) return;
  held.inputFd = inputFd_;
  held.outputFd = outputFd_;
  held.rawMode = rawMode;
  held.alternateScreen = outputIsTerminal_;
  held.saved = saved;
  held.raw = rawModeOf(saved);
  restoreAtExit();
  resized = 0;
  resumed = 0;
  held.active = 1;
  holds_ = true;
  installHandlers();
  takeAgain();
  if (outputIsTerminal_) pictureFd_ = openNonBlocking(outputFd_);
}

void TerminalSession::release() {
  if (!holds_) return;
  holds_ = false;
  restoreHeldTerminal();
  restoreHandlers();
  if (pictureFd_ >= 0) ::close(pictureFd_);
  pictureFd_ = -1;
}

TerminalSize TerminalSession::size() const {
  winsize size{};
  if (::ioctl(outputFd_, TIOCGWINSZ, &size) != 0) return TerminalSize{};
  return TerminalSize{size.ws_row, size.ws_col};
}

bool TerminalSession::takeResized() {
  if (resized == 0) return false;
  resized = 0;
  return true;
}

bool TerminalSession::takeResumed() {
  if (resumed == 0) return false;
  resumed = 0;
  return true;
}

}  // namespace glyphverse
