#pragma once
// The signals that end the process, owned here alone: one list, one handler,
// and the cleanups that must run before the process ends (a terminal put
// back, a temporary file removed). SIGXFSZ can also be kept from ending the
// process, so that a write over the file size limit fails with an error that
// can be reported.

#include <signal.h>

#include <cstddef>

namespace glyphverse {

// While one exists, every signal that would end the process by default and
// can be caught first runs `cleanup(context)`, together with every other
// cleanup registered, then ends the process as the signal would have.
// Signals the program handles or ignores itself stay as they are. The
// cleanup runs inside a signal handler: it may call only async-signal-safe
// functions, and must not allocate or lock. At most CLEANUPS_AT_MOST are
// registered at once; one beyond them is not run.
class EndingSignalCleanup {
 public:
  using Action = void (*)(void* context);
  static constexpr std::size_t CLEANUPS_AT_MOST = 16;

  EndingSignalCleanup(Action cleanup, void* context);
  ~EndingSignalCleanup();
  EndingSignalCleanup(const EndingSignalCleanup&) = delete;
  EndingSignalCleanup& operator=(const EndingSignalCleanup&) = delete;

 private:
  int slot_ = -1;  // -1: the registry was full
};

// While one exists, the ending signals remove the file `name` in the
// directory `directory` (an open descriptor) before the process ends.
class RemovedOnEndingSignal {
 public:
  RemovedOnEndingSignal(int directory, const char* name);
  RemovedOnEndingSignal(const RemovedOnEndingSignal&) = delete;
  RemovedOnEndingSignal& operator=(const RemovedOnEndingSignal&) = delete;

 private:
  // In plain memory the handler can read; a longer name is not removed.
  struct Target {
    Target(int directory, const char* name);
    int directory;
    char name[64] = {};
  };
  static void remove(void* target);

  Target target_;
  EndingSignalCleanup cleanup_;  // after target_: registered once that is complete
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
