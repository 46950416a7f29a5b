#pragma once
// The signals that end a process, as seen by a file being written: a named
// temporary file is removed by them before the process ends, and SIGXFSZ is
// kept from ending the process so that a write over the file size limit fails
// with an error that can be reported.

#include <signal.h>

namespace glyphverse {

// While one exists, every signal that would end the process by default and
// can be caught first removes the file `name` in the directory `directory`
// (an open descriptor), then ends the process as the signal would have.
// Signals the program handles or ignores itself stay as they are. One name is
// kept for the whole process: a second guard while one exists removes nothing.
class RemovedOnEndingSignal {
 public:
  RemovedOnEndingSignal(int directory, const char* name);
  ~RemovedOnEndingSignal();
  RemovedOnEndingSignal(const RemovedOnEndingSignal&) = delete;
  RemovedOnEndingSignal& operator=(const RemovedOnEndingSignal&) = delete;

 private:
  bool armed_ = false;
};

// While one exists, the ending signals are held back from this thread, so
// that a file and what knows about it change together.
class EndingSignalsHeld {
 public:
  EndingSignalsHeld();
  ~EndingSignalsHeld();
  EndingSignalsHeld(const EndingSignalsHeld&) = delete;
  EndingSignalsHeld& operator=(const EndingSignalsHeld&) = delete;

 private:
  sigset_t saved_;  // the thread's mask before
};

// While one exists, SIGXFSZ is ignored: a write over the file size limit
// fails with EFBIG instead of killing the process without a word.
class FileSizeSignalIgnored {
 public:
  FileSizeSignalIgnored();
  ~FileSizeSignalIgnored();
  FileSizeSignalIgnored(const FileSizeSignalIgnored&) = delete;
  FileSizeSignalIgnored& operator=(const FileSizeSignalIgnored&) = delete;
};

}  // namespace glyphverse
