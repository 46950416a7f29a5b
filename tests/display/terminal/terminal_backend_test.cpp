#include "display/terminal/terminal_backend.h"

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
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

constexpr double FLUSH_INTERVAL = TerminalBackend::FLUSH_INTERVAL_SECONDS;
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
      // One or two colours: 38;2;R;G;B and/or 48;2;R;G;B.
      int layer = 0, r = 0, g = 0, b = 0, consumed = 0;
      const char* at = body.c_str();
      while (std::sscanf(at, "%d;2;%d;%d;%d%n", &layer, &r, &g, &b, &consumed) == 4) {
        (layer == 38 ? fore : back) = Color(r << 16 | g << 8 | b);
        at += consumed;
        if (*at == ';') ++at;
      }
    }
    i = final + 1;
  }
  return screen;
}

Frame gridOf(int rows, int columns) {
  Frame frame;
  frame.reset(rows, columns, DEFAULT_BACKGROUND);
  return frame;
}

// A backend on pipes, with a clock the test moves, writing the cells as a
// terminal would take them.
class PipedConsole : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::pipe(keys_), 0);
    ASSERT_EQ(::pipe(output_), 0);
    ::fcntl(output_[0], F_SETFL, O_NONBLOCK);
    backend_ = std::make_unique<TerminalBackend>(
        keys_[0], output_[1], [this] { return now_; },
        TerminalOptions{false, true, ColorMode::trueColor, false});
    ASSERT_EQ(backend_->open(10 * 8, 3 * 8, "test"), Surface::terminal);
  }
  void TearDown() override {
    backend_.reset();
    for (const int fd : {keys_[0], keys_[1], output_[0], output_[1]}) ::close(fd);
  }

  // One frame of the program: clear, print, flip.
  std::string frame(std::string_view text, double seconds, Color fore = 0xFFFFFF) {
    now_ = seconds;
    frame_.clear(DEFAULT_BACKGROUND);
    for (std::size_t i = 0; i < text.size(); ++i) {
      frame_.putText(1, 1 + int(i), TextCell{std::uint8_t(text[i]), fore, 0x000080});
    }
    backend_->service(Shown{nullptr, &frame_}, keyboard_);
    return drain(output_[0]);
  }
  // A service between flips: input only.
  void serviceOnly() { backend_->service(Shown{}, keyboard_); }

  int keys_[2] = {-1, -1};
  int output_[2] = {-1, -1};
  double now_ = 0.0;
  Keyboard keyboard_;
  Frame frame_ = gridOf(3, 10);
  std::unique_ptr<TerminalBackend> backend_;
};

TEST_F(PipedConsole, FirstFlushDrawsTheWholeGridInColour) {
  now_ = 0.0;
  frame_.clear(0x102030);
  frame_.putText(2, 3, TextCell{1, 0xFF112233, 0x445566});
  frame_.putText(3, 10, TextCell{176, 0xABCDEF, 0x000000});
  frame_.putText(4, 1, TextCell{'x', 0, 0});   // outside the grid
  frame_.putText(1, 11, TextCell{'x', 0, 0});  // outside the grid
  backend_->service(Shown{nullptr, &frame_}, keyboard_);
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

// A terminal reports presses only: each is a tap, held for one frame, so a
// tap moves exactly one cell.
TEST_F(PipedConsole, EachPressHoldsItsKeysForOneFrame) {
  send(keys_[1], "\x1b[1;2Ax");
  serviceOnly();  // the flip before the input
  EXPECT_EQ(keyboard_.pop(), KeyCode::specialKey(KEY_UP));
  EXPECT_EQ(keyboard_.pop(), KeyCode::character('x'));
  keyboard_.sampleForFrame();
  EXPECT_TRUE(keyboard_.isDown(SCAN_UP));
  EXPECT_TRUE(keyboard_.isDown(SCAN_SHIFT));
  EXPECT_FALSE(keyboard_.isDown(SCAN_DOWN));
  serviceOnly();  // the sleep after it
  serviceOnly();  // the next frame's flip
  keyboard_.sampleForFrame();
  EXPECT_FALSE(keyboard_.isDown(SCAN_UP));
}

TEST_F(PipedConsole, EscArrivesAfterTheTimeoutUnlessASequenceFollows) {
  now_ = 1.0;
  send(keys_[1], "\x1b");
  serviceOnly();
  now_ = 1.005;
  serviceOnly();
  EXPECT_EQ(keyboard_.waiting(), 0);
  send(keys_[1], "[B");
  serviceOnly();
  EXPECT_EQ(keyboard_.pop(), KeyCode::specialKey(KEY_DOWN));
  EXPECT_TRUE(keyboard_.isDown(SCAN_DOWN));

  send(keys_[1], "\x1b");
  serviceOnly();
  now_ = 1.005 + TerminalKeyParser::ESCAPE_TIMEOUT_SECONDS * 0.5;
  serviceOnly();
  EXPECT_EQ(keyboard_.waiting(), 0);
  now_ = 1.005 + TerminalKeyParser::ESCAPE_TIMEOUT_SECONDS * 1.01;
  serviceOnly();
  EXPECT_EQ(keyboard_.pop(), KeyCode::character(CHAR_ESC));
}

TerminalOptions textOnly() {
  return TerminalOptions{true, false, ColorMode::trueColor};
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

TEST(TerminalBackendOnATerminal, RawWhileOpenAndRestoredOnceByClose) {
  PseudoTerminal terminal;
  ASSERT_GE(terminal.master, 0);
  const termios original = terminal.mode();
  // As under nohup: a signal the program ignores must stay ignored.
  const sighandler_t interruptBefore = std::signal(SIGINT, SIG_DFL);
  const sighandler_t hangUpBefore = std::signal(SIGHUP, SIG_IGN);
  {
    TerminalBackend backend(terminal.slave, terminal.slave, {}, textOnly());
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

TEST(TerminalBackendOnATerminal, DestructorRestores) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  {
    TerminalBackend backend(terminal.slave, terminal.slave, {}, textOnly());
    backend.open(600, 600, "test");
  }
  expectSameMode(terminal.mode(), original);
}

TEST(TerminalBackendOnATerminal, TypedKeysArriveUnechoed) {
  PseudoTerminal terminal;
  TerminalBackend backend(terminal.slave, terminal.slave, {}, textOnly());
  backend.open(80, 80, "test");
  Keyboard keyboard;
  drain(terminal.master, 50);
  send(terminal.master, "\x1b[Cq");  // no Enter: raw mode hands bytes over at once
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  const Frame frame = gridOf(10, 10);
  backend.service(Shown{nullptr, &frame}, keyboard);
  EXPECT_EQ(keyboard.pop(), KeyCode::specialKey(KEY_RIGHT));
  EXPECT_EQ(keyboard.pop(), KeyCode::character('q'));
  const std::string output = drain(terminal.master, 50);
  EXPECT_EQ(cellsWritten(output).count({1, 1}), 1u);
  EXPECT_EQ(output.find('q'), std::string::npos);  // not echoed
  EXPECT_EQ(output.find("\x1b[C"), std::string::npos);
}

TEST(TerminalBackendOnATerminal, CellsOutsideTheTerminalAreNotWrittenUntilItGrows) {
  PseudoTerminal terminal(4, 6);
  double now = 0.0;
  TerminalBackend backend(
      terminal.slave, terminal.slave, [&now] { return now; }, textOnly());
  backend.open(80, 80, "test");
  Keyboard keyboard;
  Frame frame = gridOf(10, 10);
  for (int row = 1; row <= 10; ++row) {
    for (int column = 1; column <= 10; ++column) frame.putText(row, column, TextCell{'x', 1, 2});
  }
  backend.service(Shown{nullptr, &frame}, keyboard);
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
  now = TerminalBackend::SIZE_CHECK_SECONDS;
  backend.service(Shown{nullptr, &frame}, keyboard);
  const std::string redraw = drain(terminal.master, 50);
  EXPECT_NE(redraw.find("\x1b[2J"), std::string::npos);  // the old picture may have moved
  screen = cellsWritten(redraw);
  EXPECT_EQ(screen.size(), 72u);  // the whole picture again
  EXPECT_EQ(screen.count({8, 9}), 1u);
}

// Signals whose default ends the program, as pipes, timers and tools send
// them (the faults' own signals belong to the sanitizers in their builds).
constexpr int ENDING_SIGNALS[] = {SIGINT,  SIGTERM, SIGHUP,  SIGQUIT,
                                  SIGPIPE, SIGUSR1, SIGALRM, SIGABRT};

// Runs in a child: opens the backend on the terminal, then ends as `end` does.
template <typename End>
void openThen(const PseudoTerminal& terminal, End end) {
  const rlimit noCore{0, 0};
  ::setrlimit(RLIMIT_CORE, &noCore);
  ::alarm(10);  // a child stuck on its way out fails instead of hanging
  for (const int ending : ENDING_SIGNALS) std::signal(ending, SIG_DFL);
  static TerminalBackend* backend = nullptr;  // never destroyed: the exit path must restore
  backend = new TerminalBackend(terminal.slave, terminal.slave, {}, textOnly());
  backend->open(600, 600, "test");
  end();
}

TEST(TerminalBackendDeathTest, ExitRestoresTheTerminal) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  EXPECT_EXIT(openThen(terminal, [] { std::exit(3); }), testing::ExitedWithCode(3), "");
  expectSameMode(terminal.mode(), original);
}

TEST(TerminalBackendDeathTest, TerminateRestoresTheTerminal) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  EXPECT_EXIT(openThen(terminal, [] { std::terminate(); }), testing::KilledBySignal(SIGABRT), "");
  expectSameMode(terminal.mode(), original);
}

TEST(TerminalBackendDeathTest, EndingSignalsRestoreTheTerminalAndStillEndTheProgram) {
  for (const int ending : ENDING_SIGNALS) {
    PseudoTerminal terminal;
    const termios original = terminal.mode();
    EXPECT_EXIT(openThen(terminal, [ending] { std::raise(ending); }),
                testing::KilledBySignal(ending), "")
        << "signal " << ending;
    expectSameMode(terminal.mode(), original);
    EXPECT_EQ(occurrences(drain(terminal.master, 50), LEAVE_ALTERNATE_SCREEN), 1u);
  }
}

// Polls until the terminal's mode satisfies `wanted`, for up to a second.
template <typename Wanted>
bool modeBecomes(const PseudoTerminal& terminal, Wanted wanted) {
  for (int i = 0; i < 200; ++i) {
    if (wanted(terminal.mode())) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return false;
}

bool isRaw(const termios& mode) {
  return (mode.c_lflag & ICANON) == 0;
}

// kill -TSTP, then fg: cooked while stopped, raw again and redrawn after.
TEST(TerminalBackendOnATerminal, StopGivesTheTerminalBackAndContinueTakesItAgain) {
  PseudoTerminal terminal;
  const termios original = terminal.mode();
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    ::alarm(10);
    // A group of its own whose parent (the test) is in another: the kernel
    // ignores stop signals in a group that no parent outside it could wake.
    ::setpgid(0, 0);
    std::signal(SIGTSTP, SIG_DFL);
    std::signal(SIGCONT, SIG_DFL);
    TerminalBackend backend(terminal.slave, terminal.slave, {}, textOnly());
    backend.open(80, 24, "test");
    Keyboard keyboard;
    Frame frame = gridOf(3, 10);
    for (;;) {
      frame.putText(1, 1, TextCell{'x', 0xFFFFFF, 0});
      backend.service(Shown{nullptr, &frame}, keyboard);
      std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
  }
  ASSERT_TRUE(modeBecomes(terminal, isRaw));
  drain(terminal.master, 50);
  ::kill(child, SIGTSTP);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, WUNTRACED), child);
  EXPECT_TRUE(WIFSTOPPED(status));
  expectSameMode(terminal.mode(), original);
  EXPECT_EQ(occurrences(drain(terminal.master, 50), LEAVE_ALTERNATE_SCREEN), 1u);

  ::kill(child, SIGCONT);
  EXPECT_TRUE(modeBecomes(terminal, isRaw));
  const std::string redraw = drain(terminal.master, 100);
  EXPECT_NE(redraw.find(ENTER_ALTERNATE_SCREEN), std::string::npos);
  EXPECT_EQ(cellsWritten(redraw).count({1, 1}), 1u);  // drawn anew
  ::kill(child, SIGTERM);
  ::waitpid(child, &status, 0);
  expectSameMode(terminal.mode(), original);
}

// After a hang-up that was ignored (nohup), reads fail: the program is told
// to end as if Esc were pressed.
TEST(TerminalBackendOnATerminal, AGoneTerminalQueuesEsc) {
  auto terminal = std::make_unique<PseudoTerminal>();
  const int slave = ::dup(terminal->slave);
  TerminalBackend backend(slave, slave, {}, textOnly());
  backend.open(80, 24, "test");
  terminal.reset();  // both ends closed but the backend's own descriptor
  Keyboard keyboard;
  backend.service(Shown{}, keyboard);
  EXPECT_EQ(keyboard.pop(), KeyCode::character(CHAR_ESC));
  backend.service(Shown{}, keyboard);
  EXPECT_EQ(keyboard.waiting(), 0);  // once
  backend.close();
  ::close(slave);
}

// Where the output is a terminal with room, whole frames are shown: text as
// text, map cells as their glyphs.
TEST(TerminalBackendOnATerminal, ShowsTheFrameOnATerminalWithRoom) {
  PseudoTerminal terminal(30, 50);
  TerminalBackend backend(terminal.slave, terminal.slave, {},
                          TerminalOptions{true, true, ColorMode::trueColor});
  ASSERT_EQ(backend.open(400, 400, "test"), Surface::pages);
  Frame frame = gridOf(50, 50);
  frame.putText(1, 2, TextCell{'G', 0xFF112233, DEFAULT_BACKGROUND});
  const MapPlace place{1, 1, 8, 8};
  MapPicture& map = *frame.setMap(place, {});
  map.background[place.indexOf(0, 0)] = OpaqueGlyph{0, 0, 0xC0, 177};
  map.foreground[place.indexOf(0, 0)] = OpaqueGlyph{0xA0, 0xA0, 0xA0, 249};  // the star shows
  Keyboard keyboard;
  backend.service(Shown{nullptr, &frame}, keyboard);
  const Screen screen = cellsWritten(drain(terminal.master, 50));
  EXPECT_EQ(screen.at({1, 2}), (ShownCell{U'G', 0x112233, 0}));
  EXPECT_EQ(screen.at({3, 3}).character, cp437ToUnicode(249));
  EXPECT_EQ(screen.at({3, 3}).fore, 0xA0A0A0u);
  EXPECT_EQ(screen.count({31, 1}), 0u);  // cut to the terminal
  EXPECT_EQ(screen.count({1, 51}), 0u);
}

// A terminal that takes nothing (a stalled link) never holds up the frames,
// and once it reads again it gets the latest picture, not the ones between.
TEST(TerminalBackendOnATerminal, AStalledTerminalNeverBlocksAndGetsTheLatestPicture) {
  PseudoTerminal terminal(40, 80);
  double now = 0.0;
  TerminalBackend backend(
      terminal.slave, terminal.slave, [&now] { return now; },
      TerminalOptions{true, true, ColorMode::trueColor});
  ASSERT_EQ(backend.open(640, 320, "test"), Surface::pages);
  Frame frame = gridOf(40, 80);
  Keyboard keyboard;
  std::string output;
  const auto started = std::chrono::steady_clock::now();
  for (int picture = 0; picture < 300; ++picture) {
    const std::uint8_t code = static_cast<std::uint8_t>('A' + picture % 26);
    frame.clear(DEFAULT_BACKGROUND);
    for (int row = 1; row <= 40; ++row) {
      for (int column = 1; column <= 80; ++column) {
        frame.putText(row, column, TextCell{code, 0xFF000000u | (picture * 7919), 0});
      }
    }
    now += 0.02;
    backend.service(Shown{nullptr, &frame}, keyboard);
  }
  const auto took = std::chrono::steady_clock::now() - started;
  EXPECT_LT(took, std::chrono::seconds(2));
  for (int i = 0; i < 50; ++i) {  // the terminal catches up
    output += drain(terminal.master, 20);
    now += 0.02;
    backend.service(Shown{nullptr, &frame}, keyboard);
  }
  output += drain(terminal.master, 50);
  const Screen screen = cellsWritten(output);
  const char32_t last = U'A' + 299 % 26;
  EXPECT_EQ(screen.at({1, 1}).character, last);
  EXPECT_EQ(screen.at({40, 80}).character, last);
}

}  // namespace
}  // namespace glyphverse
