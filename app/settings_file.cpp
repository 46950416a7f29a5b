#include "app/settings_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace glyphverse {

std::optional<std::string> readSettingsFile(const std::string& path, std::size_t largest) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::optional<std::string> text;
  struct stat info {};
  if (::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) &&
      static_cast<std::size_t>(info.st_size) <= largest) {
    // One byte more than allowed tells a file that grew since fstat.
    std::string bytes(largest + 1, '\0');
    std::size_t got = 0;
    bool failed = false;
    while (got < bytes.size()) {
      const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
      if (n < 0 && errno == EINTR) continue;
      failed = n < 0;
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    if (!failed && got <= largest) text = bytes.substr(0, got);
  }
  ::close(fd);
  return text;
}

}  // namespace glyphverse
