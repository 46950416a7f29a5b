#include "tools/common/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

#include "tools/common/message_text.h"

namespace glyphverse {
namespace {

// The reason of a failed call, kept before anything else can change errno.
struct Failure {
  int error = 0;
};

void writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw Failure{errno};
    if (n == 0) throw Failure{EIO};
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void closeChecked(int fd) {
  if (::close(fd) != 0 && errno != EINTR) throw Failure{errno};
}

void writeInPlace(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) throw Failure{errno};
  try {
    writeAll(fd, bytes);
  } catch (const Failure&) {
    ::close(fd);
    throw;
  }
  closeChecked(fd);
}

// A new file beside `target`, created with the permissions a new file gets
// (0666 less the umask); its name is returned in `tempPath`.
int createTemporary(const std::string& target, std::string& tempPath) {
  const std::size_t slash = target.rfind('/');
  const std::string directory = slash == std::string::npos ? "" : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    tempPath = directory;
    tempPath.append(".").append(base).append(".tmp-").append(std::to_string(::getpid()));
    tempPath.append("-").append(std::to_string(attempt));
    const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) throw Failure{errno};
  }
  throw Failure{EEXIST};
}

void replaceRegularFile(const std::string& target, const struct stat* existing,
                        std::string_view bytes) {
  std::string tempPath;
  const int fd = createTemporary(target, tempPath);
  try {
    if (existing != nullptr && ::fchmod(fd, existing->st_mode & 07777) != 0) throw Failure{errno};
    writeAll(fd, bytes);
    if (::fsync(fd) != 0) throw Failure{errno};
  } catch (const Failure&) {
    ::close(fd);
    ::unlink(tempPath.c_str());
    throw;
  }
  try {
    closeChecked(fd);
    if (::rename(tempPath.c_str(), target.c_str()) != 0) throw Failure{errno};
  } catch (const Failure&) {
    ::unlink(tempPath.c_str());
    throw;
  }
}

// Where a symbolic link to a file leads, so that the file is replaced and
// the link kept.
std::string resolvedTarget(const std::string& path) {
  struct stat link;
  if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode)) return path;
  char resolved[PATH_MAX];
  return ::realpath(path.c_str(), resolved) != nullptr ? std::string(resolved) : path;
}

}  // namespace

std::string writeFileSafely(const std::string& path, std::string_view bytes) {
  try {
    struct stat existing;
    if (::stat(path.c_str(), &existing) != 0) {
      if (errno != ENOENT) throw Failure{errno};
      replaceRegularFile(path, nullptr, bytes);
    } else if (S_ISREG(existing.st_mode)) {
      replaceRegularFile(resolvedTarget(path), &existing, bytes);
    } else {
      writeInPlace(path, bytes);
    }
  } catch (const Failure& failure) {
    return "cannot write " + escapeControlBytes(path) + ": " + std::strerror(failure.error);
  }
  return "";
}

}  // namespace glyphverse
