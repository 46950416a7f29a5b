#include "tools/common/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tools/common/message_text.h"
#include "tools/common/replacing_file.h"

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

}  // namespace

std::string writeFileSafely(const std::string& path, std::string_view bytes) {
  try {
    struct stat existing;
    const bool exists = ::stat(path.c_str(), &existing) == 0;
    if (!exists && errno != ENOENT) throw Failure{errno};
    // A device or a pipe is written in place: it cannot be replaced, only lost.
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
      writeInPlace(path, bytes);
      return "";
    }
    ReplacingFile file(path);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) {
      throw Failure{errno != 0 ? errno : EIO};
    }
    file.commit();
  } catch (const Failure& failure) {
    return "cannot write " + escapeControlBytes(path) + ": " + std::strerror(failure.error);
  } catch (const FileError& error) {
    return error.what();
  }
  return "";
}

}  // namespace glyphverse
