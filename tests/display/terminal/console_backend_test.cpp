#include "display/terminal/console_backend.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <utility>

#include "display/cp437.h"

namespace glyphverse {
namespace {

constexpr double FLUSH_INTERVAL = ConsoleBackend::FLUSH_INTERVAL_SECONDS;
constexpr std::string_view ENTER_ALTERNATE_SCREEN = "\x1b[?1049h";
constexpr std::string_view LEAVE_ALTERNATE_SCREEN = "\x1b[?1049l";

// Everything that can be read from `fd` until it has been quiet for
// `quietMilliseconds` (a pseudo-terminal passes data on with a delay).
std::string drain(int fd, int quietMilliseconds = 0) {
  std::string bytes;
  char buffer[4096];
  pollfd ready{fd, POLLIN, 0};
  while (::poll(&ready, 1, quietMilliseconds) > 0 && (ready.revents & POLLIN) != 0) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count <= 0) break;
    bytes.append(buffer, static_cast<std::size_t>(count));
  }
  return bytes;
}

void send(int fd, std::string_view bytes) {
  ASSERT_EQ(::write(fd, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
}

struct ShownCell {
  char32_t character;
  Color fore;
  Color back;
  friend bool operator==(const ShownCell&, const ShownCell&) = default;
};
using Screen = std::map<std::pair<int, int>, ShownCell>;  // (row, column) from 1

// What the cursor moves, colours and characters in `output` put where.
Screen cellsWritten(std::string_view output) {
  Screen screen;
  int row = 1;
  int column = 1;
  Color fore = 0;
  Color back = 0;
  std::size_t i = 0;
  while (i < output.size()) {
    if (output[i] != '\x1b') {
      const std::size_t end = std::min(output.find('\x1b', i), output.size());
      for (const char32_t c : decodeUtf8(output.substr(i, end - i))) {
        screen[{row, column++}] = ShownCell{c, fore, back};
      }
      i = end;
      continue;
    }
    const std::size_t final = output.find_first_of("HmJhl", i);
    const std::string body(output.substr(i + 2, final - i - 2));
    if (output[final] == 'H') {
      std::sscanf(body.c_str(), "%d;%d", &row, &column);
    } else if (output[final] == 'm') {
      int layer = 0, r = 0, g = 0, b = 0;
      if (std::sscanf(body.c_str(), "%d;2;%d;%d;%d", &layer, &r, &g, &b) == 4) {
        (layer == 38 ? fore : back) = Color(r << 16 | g << 8 | b);
      }
    }
    i = final + 1;
  }
  return screen;
}

// A backend on pipes, with a clock the test moves.
class PipedConsole : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::pipe(keys_), 0);
    ASSERT_EQ(::pipe(output_), 0);
    ::fcntl(output_[0], F_SETFL, O_NONBLOCK);
    backend_ = std::make_unique<ConsoleBackend>(keys_[0], output_[1], [this] { return now_; });
    ASSERT_EQ(backend_->open(10 * 8, 3 * 8, "test"), Surface::terminal);
  }
  void TearDown() override {
    backend_.reset();
    for (const int fd : {keys_[0], keys_[1], output_[0], output_[1]}) ::close(fd);
  }

  // One frame of the program: clear, print, flip.
  std::string frame(std::string_view text, double seconds, Color fore = 0xFFFFFF) {
    now_ = seconds;
    backend_->clearText(DEFAULT_BACKGROUND);
    for (std::size_t i = 0; i < text.size(); ++i) {
      backend_->putText(1, 1 + int(i), std::uint8_t(text[i]), fore, 0x000080);
    }
    backend_->service(nullptr, false, keyboard_);
    return drain(output_[0]);
  }

  int keys_[2] = {-1, -1};
  int output_[2] = {-1, -1};
  double now_ = 0.0;
  Keyboard keyboard_;
  std::unique_ptr<ConsoleBackend> backend_;
};

TEST_F(PipedConsole, FirstFlushDrawsTheWholeGridInColour) {
  now_ = 0.0;
  backend_->clearText(0x102030);
  backend_->putText(2, 3, 1, 0xFF112233, 0x445566);
  backend_->putText(3, 10, 176, 0xABCDEF, 0x000000);
  backend_->putText(4, 1, 'x', 0, 0);   // outside the grid
  backend_->putText(1, 11, 'x', 0, 0);  // outside the grid
  backend_->service(nullptr, false, keyboard_);
  const std::string output = drain(output_[0]);
  const Screen screen = cellsWritten(output);

  EXPECT_EQ(output.find(ENTER_ALTERNATE_SCREEN), std::string::npos);  // not a terminal
  ASSERT_EQ(screen.size(), 30u);
  EXPECT_EQ(screen.at({2, 3}), (ShownCell{cp437ToUnicode(1), 0x112233, 0x445566}));
  EXPECT_EQ(screen.at({3, 10}), (ShownCell{cp437ToUnicode(176), 0xABCDEF, 0x000000}));
  EXPECT_EQ(screen.at({1, 1}).character, U' ');
  EXPECT_EQ(screen.at({1, 1}).back, 0x102030u);
}

TEST_F(PipedConsole, UnchangedFramesWriteNothing) {
  frame("Sector 12", 0.0);
  for (int i = 1; i <= 200; ++i) {
    ASSERT_EQ(frame("Sector 12", i * 0.001), "") << "frame " << i;
  }
}

TEST_F(PipedConsole, OnlyChangedCellsAreWritten) {
  frame("Sector 12", 0.0);
  const Screen digit = cellsWritten(frame("Sector 13", 1.0));
  EXPECT_EQ(digit, (Screen{{{1, 9}, ShownCell{U'3', 0xFFFFFF, 0x000080}}}));

  const Screen recoloured = cellsWritten(frame("Sector 13", 2.0, 0x00FF00));
  EXPECT_EQ(recoloured.size(), std::string("Sector13").size());  // the space has no colour
  for (const auto& [position, cell] : recoloured) EXPECT_EQ(cell.fore, 0x00FF00u);

  const Screen shorter = cellsWritten(frame("Sector", 3.0, 0x00FF00));
  EXPECT_EQ(shorter.size(), 3u);
  for (const auto& [position, cell] : shorter) EXPECT_EQ(cell.back, 0x000000u);
}

TEST_F(PipedConsole, FlushesAtMostSixtyTimesASecond) {
  EXPECT_NE(frame("A", 10.0), "");
  EXPECT_EQ(frame("B", 10.0 + FLUSH_INTERVAL * 0.3), "");
  EXPECT_EQ(frame("C", 10.0 + FLUSH_INTERVAL * 0.6), "");
  // The latest picture comes at the next chance, not the ones in between.
  const Screen late = cellsWritten(frame("C", 10.0 + FLUSH_INTERVAL));
  EXPECT_EQ(late, (Screen{{{1, 1}, ShownCell{U'C', 0xFFFFFF, 0x000080}}}));

  int flushes = 0;
  for (int i = 1; i <= 1000; ++i) {  // a second at a thousand frames, each one different
    if (!frame(std::to_string(i), 20.0 + i * 0.001).empty()) ++flushes;
  }
  EXPECT_GE(flushes, 50);
  EXPECT_LE(flushes, 61);
}

TEST_F(PipedConsole, KeysAreQueuedAndHeldBriefly) {
  now_ = 0.0;
  send(keys_[1], "\x1b[1;2Ax");
  backend_->service(nullptr, false, keyboard_);
  EXPECT_EQ(keyboard_.pop(), KeyCode::specialKey(KEY_UP));
  EXPECT_EQ(keyboard_.pop(), KeyCode::character('x'));
  EXPECT_TRUE(keyboard_.isDown(SCAN_UP));
  EXPECT_TRUE(keyboard_.isDown(SCAN_SHIFT));
  EXPECT_FALSE(keyboard_.isDown(SCAN_DOWN));

  now_ = ConsoleBackend::HOLD_SECONDS * 0.9;
  send(keys_[1], "\x1b[A");  // a repeat keeps the arrow held, not Shift
  backend_->service(nullptr, false, keyboard_);
  now_ = ConsoleBackend::HOLD_SECONDS * 1.1;
  backend_->service(nullptr, false, keyboard_);
  EXPECT_TRUE(keyboard_.isDown(SCAN_UP));
  EXPECT_FALSE(keyboard_.isDown(SCAN_SHIFT));

  now_ = ConsoleBackend::HOLD_SECONDS * 2;
  backend_->service(nullptr, false, keyboard_);
  EXPECT_FALSE(keyboard_.isDown(SCAN_UP));
}

TEST_F(PipedConsole, EscArrivesAfterTheTimeoutUnlessASequenceFollows) {
  now_ = 1.0;
  send(keys_[1], "\x1b");
  backend_->service(nullptr, false, keyboard_);
  now_ = 1.005;
  backend_->service(nullptr, false, keyboard_);
  EXPECT_EQ(keyboard_.waiting(), 0);
  send(keys_[1], "[B");
  backend_->service(nullptr, false, keyboard_);
  EXPECT_EQ(keyboard_.pop(), KeyCode::specialKey(KEY_DOWN));
  EXPECT_TRUE(keyboard_.isDown(SCAN_DOWN));

  send(keys_[1], "\x1b");
  backend_->service(nullptr, false, keyboard_);
  now_ = 1.005 + TerminalKeyParser::ESCAPE_TIMEOUT_SECONDS * 0.5;
  backend_->service(nullptr, false, keyboard_);
  EXPECT_EQ(keyboard_.waiting(), 0);
  now_ = 1.005 + TerminalKeyParser::ESCAPE_TIMEOUT_SECONDS * 1.01;
  backend_->service(nullptr, false, keyboard_);
  EXPECT_EQ(keyboard_.pop(), KeyCode::character(CHAR_ESC));
}

// A pseudo-terminal of `rows` x `columns` whose far end the test reads and types into.
struct PseudoTerminal {
  PseudoTerminal(int rows = 24, int columns = 80) {
    winsize size{};
    size.ws_row = static_cast<unsigned short>(rows);
    size.ws_col = static_cast<unsigned short>(columns);
    if (::openpty(&master, &slave, nullptr, nullptr, &size) != 0) master = slave = -1;
  }
  ~PseudoTerminal() {
    ::close(master);
    ::close(slave);
  }
  termios mode() const {
    termios current{};
    ::tcgetattr(slave, &current);
    return current;
  }
  int master = -1;
  int slave = -1;
};

void expectSameMode(const termios& actual, const termios& expected) {
  EXPECT_EQ(actual.c_iflag, expected.c_iflag);
  EXPECT_EQ(actual.c_oflag, expected.c_oflag);
  EXPECT_EQ(actual.c_cflag, expected.c_cflag);
  EXPECT_EQ(actual.c_lflag, expected.c_lflag);
  EXPECT_TRUE(
      std::equal(std::begin(actual.c_cc), std::end(actual.c_cc), std::begin(expected.c_cc)));
}

std::size_t occurrences(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

sighandler_t dispositionOf(int signalNumber) {
  struct sigaction current {};
  ::sigaction(signalNumber, nullptr, &current);
  return current.sa_handler;
}

TEST(ConsoleBackendTerminal, RawWhileOpenAndRestoredOnceByClose) {
  PseudoTerminal terminal;
  ASSERT_GE(terminal.master, 0);
  const termios original = terminal.mode();
  // As under nohup: a signal the program ignores must stay ignored.
  const sighandler_t interruptBefore = std::signal(SIGINT, SIG_DFL);
  const sighandler_t hangUpBefore = std::signal(SIGHUP, SIG_IGN);
  {
    ConsoleBackend backend(terminal.slave, terminal.slave);
    ASSERT_EQ(backend.open(600, 600, "test"), Surface::terminal);
    const termios raw = terminal.mode();
    EXPECT_EQ(raw.c_lflag & (ECHO | ICANON), 0u);
    EXPECT_NE(raw.c_lflag & ISIG, 0u);
    EXPECT_NE(dispositionOf(SIGINT), SIG_DFL);
    EXPECT_NE(dispositionOf(SIGINT), SIG_IGN);
    EXPECT_EQ(dispositionOf(SIGHUP), SIG_IGN);

    backend.close();
    expectSameMode(terminal.mode(), original);
    EXPECT_EQ(dispositionOf(SIGINT), SIG_DFL);
    EXPECT_EQ(dispositionOf(SIGHUP), SIG_IGN);
    backend.close();
  }
  std::signal(SIGINT, interruptBefore);
  std::signal(SIGHUP, hangUpBefore);
  expectSameMode(terminal.mode(), original);
  const std::string output = drain(terminal.master, 50);
  EXPECT_EQ(occurrences(output, ENTER_ALTERNATE_SCREEN), 1u);
  EXPECT_EQ(occurrences(output, LEAVE_ALTERNATE_SCREEN), 1u);
  EXPECT_LT(output.find(ENTER_ALTERNATE_SCREEN), output.find(LEAVE_ALTERNATE_SCREEN));
}

TEST(ConsoleBackendTerminal, DestructorRestores) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  {
    ConsoleBackend backend(terminal.slave, terminal.slave);
    backend.open(600, 600, "test");
  }
  expectSameMode(terminal.mode(), original);
}

TEST(ConsoleBackendTerminal, TypedKeysArriveUnechoed) {
  PseudoTerminal terminal;
  ConsoleBackend backend(terminal.slave, terminal.slave);
  backend.open(80, 80, "test");
  Keyboard keyboard;
  drain(terminal.master, 50);
  send(terminal.master, "\x1b[Cq");  // no Enter: raw mode hands bytes over at once
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  backend.service(nullptr, false, keyboard);
  EXPECT_EQ(keyboard.pop(), KeyCode::specialKey(KEY_RIGHT));
  EXPECT_EQ(keyboard.pop(), KeyCode::character('q'));
  const std::string output = drain(terminal.master, 50);
  EXPECT_EQ(cellsWritten(output).count({1, 1}), 1u);
  EXPECT_EQ(output.find('q'), std::string::npos);  // not echoed
  EXPECT_EQ(output.find("\x1b[C"), std::string::npos);
}

TEST(ConsoleBackendTerminal, CellsOutsideTheTerminalAreNotWrittenUntilItGrows) {
  PseudoTerminal terminal(4, 6);
  double now = 0.0;
  ConsoleBackend backend(terminal.slave, terminal.slave, [&now] { return now; });
  backend.open(80, 80, "test");
  Keyboard keyboard;
  for (int row = 1; row <= 10; ++row) {
    for (int column = 1; column <= 10; ++column) backend.putText(row, column, 'x', 1, 2);
  }
  backend.service(nullptr, false, keyboard);
  Screen screen = cellsWritten(drain(terminal.master, 50));
  EXPECT_EQ(screen.size(), 24u);
  for (const auto& [position, cell] : screen) {
    EXPECT_LE(position.first, 4);
    EXPECT_LE(position.second, 6);
  }

  winsize larger{};
  larger.ws_row = 8;
  larger.ws_col = 9;
  ASSERT_EQ(::ioctl(terminal.master, TIOCSWINSZ, &larger), 0);
  now = ConsoleBackend::SIZE_CHECK_SECONDS;
  backend.service(nullptr, false, keyboard);
  const std::string redraw = drain(terminal.master, 50);
  EXPECT_NE(redraw.find("\x1b[2J"), std::string::npos);  // the old picture may have moved
  screen = cellsWritten(redraw);
  EXPECT_EQ(screen.size(), 72u);  // the whole picture again
  EXPECT_EQ(screen.count({8, 9}), 1u);
}

// Runs in a child: opens the backend on the terminal, then ends as `end` does.
template <typename End>
void openThen(const PseudoTerminal& terminal, End end) {
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  ::alarm(10);  // a child stuck on its way out fails instead of hanging
  for (const int ending : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) std::signal(ending, SIG_DFL);
  static ConsoleBackend* backend = nullptr;  // never destroyed: the exit path must restore
  backend = new ConsoleBackend(terminal.slave, terminal.slave);
  backend->open(600, 600, "test");
  end();
}

TEST(ConsoleBackendDeathTest, ExitRestoresTheTerminal) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  EXPECT_EXIT(openThen(terminal, [] { std::exit(3); }), testing::ExitedWithCode(3), "");
  expectSameMode(terminal.mode(), original);
}

TEST(ConsoleBackendDeathTest, EndingSignalsRestoreTheTerminalAndStillEndTheProgram) {
  for (const int ending : {SIGINT, SIGTERM, SIGHUP, SIGQUIT}) {
    PseudoTerminal terminal;
    const termios original = terminal.mode();
    EXPECT_EXIT(openThen(terminal, [ending] { std::raise(ending); }),
                testing::KilledBySignal(ending), "")
        << "signal " << ending;
    expectSameMode(terminal.mode(), original);
    EXPECT_EQ(occurrences(drain(terminal.master, 50), LEAVE_ALTERNATE_SCREEN), 1u);
  }
}

}  // namespace
}  // namespace glyphverse
