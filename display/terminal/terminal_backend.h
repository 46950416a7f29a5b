#pragma once
// The display on a terminal, for machines without a window. Where standard
// output is a terminal with room for it, each frame is shown whole: its text
// as text, its map cells as their glyphs in their colours, a picture drawn
// pixel by pixel as half blocks, cut to the terminal's size around what the
// frame layout keeps in view. On a smaller terminal only the frame's text is
// shown; where the output is no terminal, that text as plain lines.
//
// The program redraws a thousand times a second; the terminal gets at most
// about sixty pictures a second, each only the cells that changed since the
// last. Writing never blocks the frame loop: while the terminal is still
// taking one picture, the pictures drawn meanwhile are skipped, and the next
// one it gets is the latest.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "display/backend.h"
#include "display/terminal/frame_picture.h"
#include "display/terminal/terminal_input.h"
#include "display/terminal/terminal_screen.h"
#include "display/terminal/terminal_session.h"

namespace glyphverse {

struct TerminalOptions {
  // Open only when keys can be read from a terminal: without one, nothing
  // could ever end the program.
  bool needsKeyboard = true;
  // Show the pages where the output is a terminal large enough.
  bool picture = true;
  ColorMode colorMode = colorModeFromEnvironment();
  // Where the output is no terminal, the text as plain lines, written when
  // it changes; else the cells with their codes, as a terminal takes them.
  bool plainTextOffTerminal = true;
};

// What has gone to the terminal so far.
struct TerminalOutputCount {
  long long pictures = 0;
  long long cells = 0;
  long long bytes = 0;
};

class TerminalBackend final : public DisplayBackend {
 public:
  static constexpr double FLUSH_INTERVAL_SECONDS = 1.0 / 60.0;
  // SIGWINCH reaches only the terminal's own foreground programs, so the
  // size is also read again this often.
  static constexpr double SIZE_CHECK_SECONDS = 1.0;
  // The picture needs room for the text display at least; a smaller
  // terminal gets the text alone.
  static constexpr int MIN_PICTURE_ROWS = 6;
  static constexpr int MIN_PICTURE_COLUMNS = 40;

  // Reads keys from `inputFd` and draws on `outputFd` (by default standard
  // input and output). Without a clock the steady clock is used.
  explicit TerminalBackend(int inputFd = 0, int outputFd = 1, std::function<double()> clock = {},
                           TerminalOptions options = {});
  ~TerminalBackend() override;
  TerminalBackend(const TerminalBackend&) = delete;
  TerminalBackend& operator=(const TerminalBackend&) = delete;

  Surface open(int width, int height, const std::string& title) override;
  void setFrameLayout(const FrameLayout& layout) override { layout_ = layout; }
  void service(const Shown& shown, Keyboard& keys) override;
  // Asks the terminal to put `text` on its clipboard (OSC 52: tmux, xterm,
  // kitty, foot, Windows Terminal, iTerm2 take it). The terminal never says
  // whether it did, so this is false all the same: the text must still be
  // shown, to be copied by hand.
  bool setClipboardText(const std::string& text) override;
  double seconds() override;
  void sleepMillis(int milliseconds) override;
  void close() override;

  const TerminalOutputCount& outputCount() const { return count_; }

 private:
  void checkTerminalSize(double now);
  void fitScreen(TerminalSize size);
  void sendPending();
  void queuePlainText(const Frame& frame);

  int outputFd_;
  std::function<double()> clock_;
  TerminalOptions options_;
  TerminalSession session_;
  TerminalInput input_;
  TerminalScreen screen_;
  FramePicture picture_;
  FrameLayout layout_;
  bool open_ = false;
  bool wantsPicture_ = false;  // pages were opened for the picture
  bool showsPages_ = false;    // the terminal has room for it now
  bool writesPlainText_ = false;
  std::string lastPlainText_;  // what counted as a change, as last written

  int rows_ = 0;  // the text grid
  int columns_ = 0;
  std::vector<TerminalCell> wanted_;  // the next picture, terminal-sized
  bool redrawAll_ = false;

  TerminalSize terminalSize_;
  double lastSizeCheck_ = 0.0;
  double lastFlush_ = 0.0;
  bool flushedOnce_ = false;
  std::string pending_;  // bytes of a picture the terminal has not taken yet
  std::size_t pendingSent_ = 0;
  TerminalOutputCount count_;
};

}  // namespace glyphverse
