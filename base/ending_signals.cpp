#include "base/ending_signals.h"

#include <pthread.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <mutex>

namespace glyphverse {
namespace {

// Every signal whose default action ends the process and that can be
// caught, besides the real-time ones. SIGKILL cannot be caught; a file that
// must survive it has no name until it is complete.
constexpr int ASYNCHRONOUS_SIGNALS[] = {
    SIGHUP,    SIGINT,  SIGQUIT, SIGUSR1, SIGUSR2,   SIGPIPE,
    SIGALRM,   SIGTERM, SIGXCPU, SIGXFSZ, SIGVTALRM, SIGPROF,
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGIO
    SIGIO,
#endif
};
// Raised by the faulting instruction itself: handled, but never held back.
constexpr int FAULT_SIGNALS[] = {SIGILL, SIGTRAP, SIGABRT, SIGBUS, SIGFPE, SIGSEGV, SIGSYS};

template <typename Action>
void forEachEndingSignal(Action action) {
  for (const int s : ASYNCHRONOUS_SIGNALS) action(s);
  for (const int s : FAULT_SIGNALS) action(s);
#ifdef SIGRTMIN
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) action(s);
#endif
}

// What the handler removes, in plain memory: it may neither allocate nor lock.
int pendingDirectory = -1;
char pendingName[64];
std::atomic<bool> pendingArmed{false};
static_assert(std::atomic<bool>::is_always_lock_free);

std::mutex guardMutex;
bool guardTaken = false;
struct sigaction previousActions[NSIG];
bool installed[NSIG];

extern "C" void removePendingAndEnd(int signalNumber) {
  const int savedErrno = errno;
  if (pendingArmed.load()) ::unlinkat(pendingDirectory, pendingName, 0);
  // SA_RESETHAND has put the default action back: the signal ends the
  // process as soon as this handler returns.
  ::raise(signalNumber);
  errno = savedErrno;
}

std::mutex fileSizeMutex;
int fileSizeUsers = 0;
struct sigaction fileSizePrevious;

}  // namespace

RemovedOnEndingSignal::RemovedOnEndingSignal(int directory, const char* name) {
  const std::lock_guard lock(guardMutex);
  const std::size_t length = std::strlen(name);
  if (guardTaken || length >= sizeof pendingName) return;
  guardTaken = armed_ = true;
  pendingDirectory = directory;
  std::memcpy(pendingName, name, length + 1);
  pendingArmed.store(true);
  forEachEndingSignal([](int signalNumber) {
    struct sigaction current {};
    installed[signalNumber] = false;
    // A handler or an ignore the program chose (nohup, a background job) stays in charge.
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    struct sigaction action {};
    sigemptyset(&action.sa_mask);
    action.sa_handler = removePendingAndEnd;
    action.sa_flags = SA_RESETHAND;
    installed[signalNumber] =
        ::sigaction(signalNumber, &action, &previousActions[signalNumber]) == 0;
  });
}

RemovedOnEndingSignal::~RemovedOnEndingSignal() {
  const std::lock_guard lock(guardMutex);
  if (!armed_) return;
  forEachEndingSignal([](int signalNumber) {
    if (installed[signalNumber]) ::sigaction(signalNumber, &previousActions[signalNumber], nullptr);
    installed[signalNumber] = false;
  });
  pendingArmed.store(false);
  guardTaken = false;
}

EndingSignalsHeld::EndingSignalsHeld() {
  sigset_t held;
  sigemptyset(&held);
  for (const int s : ASYNCHRONOUS_SIGNALS) sigaddset(&held, s);
#ifdef SIGRTMIN
  for (int s = SIGRTMIN; s <= SIGRTMAX; ++s) sigaddset(&held, s);
#endif
  ::pthread_sigmask(SIG_BLOCK, &held, &saved_);
}

EndingSignalsHeld::~EndingSignalsHeld() {
  ::pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

FileSizeSignalIgnored::FileSizeSignalIgnored() {
  const std::lock_guard lock(fileSizeMutex);
  if (fileSizeUsers++ > 0) return;
  struct sigaction ignore {};
  sigemptyset(&ignore.sa_mask);
  ignore.sa_handler = SIG_IGN;
  ::sigaction(SIGXFSZ, &ignore, &fileSizePrevious);
}

FileSizeSignalIgnored::~FileSizeSignalIgnored() {
  const std::lock_guard lock(fileSizeMutex);
  if (--fileSizeUsers == 0) ::sigaction(SIGXFSZ, &fileSizePrevious, nullptr);
}

}  // namespace glyphverse
