#pragma once
// The last resort when no window opens: the text grid is drawn on the
// terminal with 24-bit colours and keys are read from it.
//
// The program clears and reprints its text every frame, a thousand times a
// second. The grid is kept in memory and only the cells that differ from what
// the terminal shows are sent, at most FLUSH_INTERVAL_SECONDS apart, so a
// still picture costs no output at all.
//
// While open, the terminal is in raw mode on the alternate screen. It is put
// back on every way out: close, the destructor, std::exit, and the signals
// that end a program by default.

#include <array>
#include <csignal>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/backend.h"
#include "display/terminal/terminal_keys.h"

namespace glyphverse {

class ConsoleBackend final : public DisplayBackend, public TextSink {
 public:
  // Terminals report presses, never releases: a key counts as held for this
  // long after each press. It bridges a frame, yet a tap moves the explorer
  // only a few cells.
  static constexpr double HOLD_SECONDS = 0.03;
  // About 60 redraws a second at most: more only floods the terminal.
  static constexpr double FLUSH_INTERVAL_SECONDS = 1.0 / 60.0;
  // SIGWINCH reaches only the terminal's own foreground programs, so the
  // size is also read again this often.
  static constexpr double SIZE_CHECK_SECONDS = 1.0;

  // Reads keys from `inputFd` and draws on `outputFd` (by default standard
  // input and output). Without a clock the steady clock is used.
  explicit ConsoleBackend(int inputFd = 0, int outputFd = 1, std::function<double()> clock = {});
  ~ConsoleBackend() override;
  ConsoleBackend(const ConsoleBackend&) = delete;
  ConsoleBackend& operator=(const ConsoleBackend&) = delete;

  // Always opens: a terminal that is missing just gets no raw mode.
  Surface open(int width, int height, const std::string& title) override;
  void service(const Image* visible, bool visibleChanged, Keyboard& keys) override;
  double seconds() override;
  void sleepMillis(int milliseconds) override;
  // Puts the terminal back; harmless when done already.
  void close() override;

  TextSink* terminalText() override { return this; }
  void clearText(Color background) override;
  void putText(int row, int column, std::uint8_t code, Color fore, Color back) override;

 private:
  struct Cell {
    std::uint8_t code = ' ';
    Color fore = 0;  // red, green and blue only
    Color back = 0;
    friend bool operator==(const Cell&, const Cell&) = default;
  };
  struct Pen;
  static constexpr int SIGNAL_COUNT = 5;

  void takeTerminal();
  void installSignalHandlers();
  void restoreSignalHandlers();
  void readInput(double now, Keyboard& keys);
  void applyKeys(const std::vector<TerminalKeyEvent>& events, double now, Keyboard& keys);
  void updateHeldKeys(double now, Keyboard& keys);
  void checkTerminalSize(double now);
  void forgetShownCells();
  std::string changedCellsOutput();
  void appendCell(std::string& out, int row, int column, const Cell& cell, Pen& pen) const;

  int inputFd_;
  int outputFd_;
  std::function<double()> clock_;
  bool open_ = false;
  bool holdsTerminal_ = false;
  bool outputIsTerminal_ = false;
  bool inputOpen_ = false;

  int rows_ = 0;
  int columns_ = 0;
  std::vector<Cell> cells_;  // what the program drew
  std::vector<Cell> shown_;  // what the terminal shows
  bool dirty_ = false;
  bool clearPending_ = false;
  double lastFlush_ = 0.0;
  bool flushedOnce_ = false;

  int terminalRows_ = 0;  // 0: unknown, nothing is cut off
  int terminalColumns_ = 0;
  double lastSizeCheck_ = 0.0;

  TerminalKeyParser parser_;
  std::array<double, Keyboard::SCAN_CODE_COUNT> lastPressed_{};

  std::array<struct sigaction, SIGNAL_COUNT> previousActions_{};
  std::array<bool, SIGNAL_COUNT> installed_{};
};

}  // namespace glyphverse
