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

// The registry, in plain memory: the handler may neither allocate nor lock.
// Slots change only under registryMutex; the handler reads `ready` first.
struct Slot {
  std::atomic<bool> ready{false};
  std::atomic<EndingSignalCleanup::Action> action{nullptr};
  std::atomic<void*> context{nullptr};
};
static_assert(std::atomic<bool>::is_always_lock_free);
static_assert(std::atomic<EndingSignalCleanup::Action>::is_always_lock_free);
static_assert(std::atomic<void*>::is_always_lock_free);
Slot slots[EndingSignalCleanup::CLEANUPS_AT_MOST];

std::mutex registryMutex;
std::size_t registered = 0;
struct sigaction previousActions[NSIG];
bool installed[NSIG];

extern "C" void runCleanupsAndEnd(int signalNumber) {
  const int savedErrno = errno;
  for (Slot& slot : slots) {
    if (!slot.ready.load()) continue;
    const EndingSignalCleanup::Action action = slot.action.load();
    action(slot.context.load());
  }
  // SA_RESETHAND has put the default action back: the signal ends the
  // process as soon as this handler returns (a fault is raised again by the
  // faulting instruction itself).
  ::raise(signalNumber);
  errno = savedErrno;
}

void installHandler() {
  struct sigaction action {};
  // Another ending signal waits for this one's cleanups to finish.
  sigemptyset(&action.sa_mask);
  for (const int s : ASYNCHRONOUS_SIGNALS) sigaddset(&action.sa_mask, s);
  action.sa_handler = runCleanupsAndEnd;
  action.sa_flags = SA_RESETHAND;
  forEachEndingSignal([&action](int signalNumber) {
    struct sigaction current {};
    installed[signalNumber] = false;
    // A handler or an ignore the program chose (nohup, a background job) stays in charge.
    if (::sigaction(signalNumber, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    installed[signalNumber] =
        ::sigaction(signalNumber, &action, &previousActions[signalNumber]) == 0;
  });
}

void restoreHandlers() {
  forEachEndingSignal([](int signalNumber) {
    if (installed[signalNumber]) ::sigaction(signalNumber, &previousActions[signalNumber], nullptr);
    installed[signalNumber] = false;
  });
}

std::mutex fileSizeMutex;
int fileSizeUsers = 0;
struct sigaction fileSizePrevious;

}  // namespace

EndingSignalCleanup::EndingSignalCleanup(Action cleanup, void* context) {
  const std::lock_guard lock(registryMutex);
  for (std::size_t i = 0; i < CLEANUPS_AT_MOST; ++i) {
    if (slots[i].ready.load()) continue;
    slots[i].action.store(cleanup);
    slots[i].context.store(context);
    slots[i].ready.store(true);
    slot_ = static_cast<int>(i);
    if (registered++ == 0) installHandler();
    return;
  }
}

EndingSignalCleanup::~EndingSignalCleanup() {
  const std::lock_guard lock(registryMutex);
  if (slot_ < 0) return;
  slots[slot_].ready.store(false);
  if (--registered == 0) restoreHandlers();
}

RemovedOnEndingSignal::Target::Target(int directoryFd, const char* fileName)
    : directory(directoryFd) {
  const std::size_t length = std::strlen(fileName);
  if (length < sizeof name) std::memcpy(name, fileName, length + 1);
}

RemovedOnEndingSignal::RemovedOnEndingSignal(int directory, const char* name)
    : target_(directory, name), cleanup_(remove, &target_) {}

void RemovedOnEndingSignal::remove(void* target) {
  const auto& file = *static_cast<const Target*>(target);
  if (file.name[0] != '\0') ::unlinkat(file.directory, file.name, 0);
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
