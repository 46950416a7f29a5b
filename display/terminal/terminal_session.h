#pragma once
// Holding a terminal: raw mode on its input, the alternate screen with a
// hidden cursor on its output, and putting all of it back on every way out:
// release, the destructor, exit, std::terminate, and every signal whose
// default would end the program (then ending as that signal would), never
// waiting long for a terminal that has stopped reading. A stop
// (Ctrl+Z, SIGTSTP) gives the terminal back first; after the continue the
// holder takes it again and redraws. Only one session holds a terminal at a
// time.

#include <string_view>

namespace glyphverse {

struct TerminalSize {
  int rows = 0;  // 0: not known
  int columns = 0;
};

class TerminalSession {
 public:
  TerminalSession(int inputFd, int outputFd) : inputFd_(inputFd), outputFd_(outputFd) {}
  ~TerminalSession() { release(); }
  TerminalSession(const TerminalSession&) = delete;
  TerminalSession& operator=(const TerminalSession&) = delete;

  // Takes whichever of the two ends is a terminal; nothing when another
  // session holds one already, or neither is a terminal.
  void take();
  // Puts back what take() changed; harmless when done already.
  void release();

  bool inputIsTerminal() const;
  bool outputIsTerminal() const { return outputIsTerminal_; }
  // Where to write the picture: on a terminal, a descriptor of its own that
  // never blocks (writes that do not fit fail with EAGAIN), so the program
  // never waits for a slow link.
  int pictureFd() const { return pictureFd_ >= 0 ? pictureFd_ : outputFd_; }
  TerminalSize size() const;

  // Since the last call: the window changed size / the program was continued
  // after a stop. After a continue the terminal has been taken again and
  // everything must be drawn anew.
  bool takeResized();
  bool takeResumed();

 private:
  int inputFd_;
  int outputFd_;
  int pictureFd_ = -1;
  bool outputIsTerminal_ = false;
  bool holds_ = false;
};

// Writes `bytes`, waiting at most about a tenth of a second in all for a
// terminal that is busy; what it has not taken by then is dropped, and
// nothing more is tried once it is gone. Safe in a signal handler.
void writeFully(int fd, std::string_view bytes);

}  // namespace glyphverse
