#include "tools/common/replacing_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <utility>

#include "tools/common/message_text.h"

namespace glyphverse {
namespace {

constexpr std::array<int, 3> ENDING_SIGNALS = {SIGINT, SIGTERM, SIGHUP};

// What the signal handler removes: a fixed buffer, since the handler may
// neither allocate nor take locks.
char pendingPath[4096];
volatile std::sig_atomic_t pendingArmed = 0;
struct sigaction previousActions[ENDING_SIGNALS.size()];

extern "C" void removePendingAndEnd(int signal) {
  if (pendingArmed != 0) ::unlink(pendingPath);
  // End as the signal would have ended the process without this handler.
  ::signal(signal, SIG_DFL);
  ::raise(signal);
}

void armSignalCleanup(const std::string& path) {
  if (path.size() >= sizeof pendingPath) return;  // too long to keep: no cleanup on signals
  std::memcpy(pendingPath, path.c_str(), path.size() + 1);
  pendingArmed = 1;
  struct sigaction action {};
  action.sa_handler = removePendingAndEnd;
  sigemptyset(&action.sa_mask);
  for (std::size_t i = 0; i < ENDING_SIGNALS.size(); ++i) {
    ::sigaction(ENDING_SIGNALS[i], nullptr, &previousActions[i]);
    // A signal ignored from the start (nohup, a background job) stays ignored.
    if (previousActions[i].sa_handler != SIG_IGN) ::sigaction(ENDING_SIGNALS[i], &action, nullptr);
  }
}

void disarmSignalCleanup() {
  if (pendingArmed == 0) return;
  pendingArmed = 0;
  for (std::size_t i = 0; i < ENDING_SIGNALS.size(); ++i) {
    ::sigaction(ENDING_SIGNALS[i], &previousActions[i], nullptr);
  }
}

// The permissions a file created with open(2) would get: 0666 less the umask.
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// Where a symbolic link to a file leads, so that the file is replaced and
// the link kept.
std::string resolvedTarget(const std::string& path) {
  struct stat link {};
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

}  // namespace

ReplacingFile::ReplacingFile(std::string target) : target_(std::move(target)) {
  // Renaming onto a directory would fail only once all the work is done.
  struct stat existing {};
  const bool exists = ::stat(target_.c_str(), &existing) == 0;
  if (exists && S_ISDIR(existing.st_mode)) throw FileError(errorMessage(std::strerror(EISDIR)));
  // A file replaced keeps its permissions, and a link to it stays a link.
  const mode_t mode = exists ? (existing.st_mode & 07777) : newFileMode();
  renamed_ = resolvedTarget(target_);
  std::string pattern = renamed_ + ".part-XXXXXX";
  const int fd = ::mkstemp(pattern.data());
  if (fd < 0) throw FileError(errorMessage(std::strerror(errno)));
  temporary_ = pattern;
  armSignalCleanup(temporary_);
  if (::fchmod(fd, mode) != 0 || (stream_ = ::fdopen(fd, "wb")) == nullptr) {
    const int error = errno;
    ::close(fd);
    discard();
    throw FileError(errorMessage(std::strerror(error)));
  }
}

ReplacingFile::~ReplacingFile() {
  discard();
}

std::string ReplacingFile::errorMessage(const std::string& reason) const {
  return "cannot write " + escapeControlBytes(target_) + ": " + reason;
}

void ReplacingFile::commit() {
  int error = 0;
  if (std::fflush(stream_) != 0) error = errno;
  // The data reaches the disk before the name does, so a crash cannot leave
  // a truncated file under the target's name either.
  if (error == 0 && ::fsync(::fileno(stream_)) != 0 && errno != EINVAL) error = errno;
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (error == 0 && closed != 0) error = errno;
  if (error == 0 && std::rename(temporary_.c_str(), renamed_.c_str()) != 0) error = errno;
  if (error != 0) {
    discard();
    throw FileError(errorMessage(std::strerror(error)));
  }
  disarmSignalCleanup();
  temporary_.clear();
}

void ReplacingFile::discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  if (!temporary_.empty()) ::unlink(temporary_.c_str());
  disarmSignalCleanup();
  temporary_.clear();
}

}  // namespace glyphverse
