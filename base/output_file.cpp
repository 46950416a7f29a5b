#include "base/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <random>
#include <utility>

#include "base/ending_signals.h"
#include "base/message_text.h"

namespace glyphverse {
namespace {

// As many links as the kernel follows before it gives up with ELOOP.
constexpr int MOST_LINKS = 40;
// Where a temporary name is tried again after a clash.
constexpr int NAME_TRIES = 100;

// What a path leads to: the name to write and what is there now.
struct Destination {
  std::string path;
  bool inPlace = false;  // not a regular file: written as it is
  bool exists = false;
  struct stat info {};
};

std::string directoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameIn(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The directory's real path, against which a relative link is read.
std::string realDirectory(const std::string& path, int& error) {
  char* real = ::realpath(directoryOf(path).c_str(), nullptr);
  if (real == nullptr) {
    error = errno;
    return "";
  }
  std::string directory = real;
  std::free(real);
  return directory;
}

std::string linkTarget(const std::string& link, int& error) {
  std::string target(256, '\0');
  for (;;) {
    const ssize_t n = ::readlink(link.c_str(), target.data(), target.size());
    if (n < 0) {
      error = errno;
      return "";
    }
    if (static_cast<std::size_t>(n) < target.size()) return target.substr(0, n);
    target.resize(target.size() * 2);
  }
}

bool underProc(const std::string& directory) {
  return directory == "/proc" || directory.rfind("/proc/", 0) == 0;
}

// Follows the links from `path` to the file to replace or create, as the
// shell's redirection does. A path that names anything but a regular file,
// or an open descriptor (/dev/stdout), is written in place: a descriptor's
// link leads to its file by a name that may not be its own, and it may be
// open to append. 0 or an errno.
int resolve(const std::string& path, Destination& destination) {
  if (path.empty()) return ENOENT;
  struct stat followed {};
  if (::stat(path.c_str(), &followed) == 0) {
    if (S_ISDIR(followed.st_mode)) return EISDIR;
    destination.inPlace = !S_ISREG(followed.st_mode);
  } else if (errno != ENOENT) {
    return errno;  // ELOOP for a loop of links among them
  }
  std::string current = path;
  for (int links = 0; links <= MOST_LINKS && !destination.inPlace; ++links) {
    struct stat info {};
    if (::lstat(current.c_str(), &info) != 0) {
      if (errno != ENOENT) return errno;
      destination.path = current;  // a new file, or where a dangling link leads
      return 0;
    }
    int error = 0;
    const std::string directory = realDirectory(current, error);
    if (directory.empty()) return error;
    destination.inPlace = underProc(directory) || !(S_ISLNK(info.st_mode) || S_ISREG(info.st_mode));
    if (!S_ISLNK(info.st_mode) && !destination.inPlace) {
      destination.path = current;
      destination.exists = true;
      destination.info = info;
      return 0;
    }
    if (destination.inPlace) break;
    const std::string target = linkTarget(current, error);
    if (target.empty()) return error != 0 ? error : ENOENT;
    current = target[0] == '/' ? target : (directory == "/" ? "" : directory) + "/" + target;
  }
  if (!destination.inPlace) return ELOOP;
  destination.path = path;
  destination.exists = true;
  return 0;
}

[[noreturn]] void fail(const OutputFile& file, int error) {
  throw FileError(file.errorMessage(std::strerror(error)), error);
}

// A hidden name for a moment, as short whatever the file's name.
std::string temporaryName() {
  static constexpr char LETTERS[] =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  thread_local std::mt19937 random(std::random_device{}());
  std::uniform_int_distribution<std::size_t> letter(0, sizeof LETTERS - 2);
  std::string name = ".glyphverse-XXXXXX";
  for (std::size_t i = name.size() - 6; i < name.size(); ++i) name[i] = LETTERS[letter(random)];
  return name;
}

// The permissions a file created with open(2) would get: 0666 less the umask.
mode_t newFileMode() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

// A replaced file keeps its owner where the user may give it (root), or at
// least its group; its permissions always.
int keepOwnerAndMode(int fd, const struct stat& old) {
  struct stat now {};
  if (::fstat(fd, &now) == 0 && (now.st_uid != old.st_uid || now.st_gid != old.st_gid) &&
      ::fchown(fd, old.st_uid, old.st_gid) != 0 && now.st_gid != old.st_gid) {
    (void)::fchown(fd, static_cast<uid_t>(-1), old.st_gid);
  }
  // chown clears the set-user-ID bits: the mode comes after it.
  if (::fchmod(fd, old.st_mode & 07777) != 0 && errno != EPERM) return errno;
  return 0;
}

// Gives the unnamed file `fd` the name `name`, which must not exist yet.
int linkUnnamed(int fd, int directory, const std::string& name) {
  const std::string self = "/proc/self/fd/" + std::to_string(fd);
  if (::linkat(AT_FDCWD, self.c_str(), directory, name.c_str(), AT_SYMLINK_FOLLOW) == 0) return 0;
  if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0) return errno;
  // Without /proc, only with the right to link any open file.
  return ::linkat(fd, "", directory, name.c_str(), AT_EMPTY_PATH) == 0 ? 0 : errno;
}

}  // namespace

// How a regular file is replaced: its directory, its name there, and the
// temporary name the data has until it is complete ("" for an unnamed file).
struct OutputFile::Replacement {
  int directory = -1;
  std::string name;
  bool replacing = false;     // a file of that name exists
  bool keepExisting = false;  // never replace a file of that name
  std::string temporary;
  std::unique_ptr<RemovedOnEndingSignal> removal;

  ~Replacement() {
    if (!temporary.empty()) ::unlinkat(directory, temporary.c_str(), 0);
    removal.reset();
    if (directory >= 0) ::close(directory);
  }

  // A file created with a temporary name, removed by the ending signals
  // from the moment it exists. A file descriptor, or -1 with errno set.
  int createNamed() {
    for (int tries = 0; tries < NAME_TRIES; ++tries) {
      const EndingSignalsHeld held;
      const std::string candidate = temporaryName();
      const int fd = ::openat(directory, candidate.c_str(),
                              O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC | O_NOCTTY, 0600);
      if (fd < 0 && errno == EEXIST) continue;
      if (fd < 0) return -1;
      temporary = candidate;
      removal = std::make_unique<RemovedOnEndingSignal>(directory, temporary.c_str());
      return fd;
    }
    errno = EEXIST;
    return -1;
  }

  // Puts the complete file `fd` under its name. 0 or an errno.
  int giveName(int fd) {
    const EndingSignalsHeld held;
    if (keepExisting) return claimName(fd);
    if (temporary.empty()) {
      // linkat never replaces a name: a new file gets its name at once, a
      // file replaced a second name that is renamed over it at once.
      if (!replacing) {
        const int error = linkUnnamed(fd, directory, name);
        if (error != EEXIST) return error;
      }
      for (int tries = 0; tries < NAME_TRIES && temporary.empty(); ++tries) {
        const std::string candidate = temporaryName();
        const int error = linkUnnamed(fd, directory, candidate);
        if (error == 0) temporary = candidate;
        if (error != 0 && error != EEXIST) return error;
      }
      if (temporary.empty()) return EEXIST;
    }
    if (::renameat(directory, temporary.c_str(), directory, name.c_str()) != 0) return errno;
    temporary.clear();
    removal.reset();
    syncDirectory();
    return 0;
  }

  // The name for a file that may replace nothing: a link, which fails with
  // EEXIST where the name is had, however close another program came.
  int claimName(int fd) {
    const int error =
        temporary.empty()
            ? linkUnnamed(fd, directory, name)
            : (::linkat(directory, temporary.c_str(), directory, name.c_str(), 0) == 0 ? 0 : errno);
    if (error != 0) return error;
    syncDirectory();
    return 0;  // a temporary name goes with this Replacement
  }

  // The new name itself on disk, where the directory can be opened.
  void syncDirectory() const {
    const int synced = ::openat(directory, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (synced >= 0) {
      ::fsync(synced);
      ::close(synced);
    }
  }
};

OutputFile::OutputFile(std::string path, Existing existing, Temporary temporary)
    : path_(std::move(path)), fileSizeSignal_(std::make_unique<FileSizeSignalIgnored>()) {
  Destination destination;
  if (const int error = resolve(path_, destination); error != 0) fail(*this, error);
  if (existing == Existing::keep && destination.exists) fail(*this, EEXIST);
  int fd = -1;
  if (destination.inPlace) {
    // A device or a pipe cannot be replaced, only lost.
    fd = ::open(destination.path.c_str(), O_WRONLY | O_APPEND | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) fail(*this, errno);
  } else {
    // Refused as the shell would refuse to open it for writing.
    if (destination.exists &&
        ::faccessat(AT_FDCWD, destination.path.c_str(), W_OK, AT_EACCESS) != 0) {
      fail(*this, errno);
    }
    replacement_ = std::make_unique<Replacement>();
    replacement_->name = nameIn(destination.path);
    replacement_->replacing = destination.exists;
    replacement_->keepExisting = existing == Existing::keep;
    if (replacement_->name.empty()) fail(*this, EISDIR);
    replacement_->directory =
        ::open(directoryOf(destination.path).c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    if (replacement_->directory < 0) fail(*this, errno);
    // An unnamed file vanishes with the process, whatever ends it.
    bool named = temporary == Temporary::named;
    if (!named) {
      fd = ::openat(replacement_->directory, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666);
      named = fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL);
    }
    if (named) fd = replacement_->createNamed();
    if (fd < 0) fail(*this, errno);
    int error = 0;
    if (destination.exists) {
      error = keepOwnerAndMode(fd, destination.info);
    } else if (named && ::fchmod(fd, newFileMode()) != 0 && errno != EPERM) {
      error = errno;
    }
    if (error != 0) {
      ::close(fd);
      fail(*this, error);
    }
  }
  stream_ = ::fdopen(fd, "wb");
  if (stream_ == nullptr) {
    const int error = errno;
    ::close(fd);
    fail(*this, error);
  }
}

OutputFile::~OutputFile() {
  discard();
}

std::string OutputFile::errorMessage(const std::string& reason) const {
  return "cannot write " + escapeControlBytes(path_) + ": " + reason;
}

void OutputFile::commit() {
  int error = 0;
  if (std::fflush(stream_) != 0) error = errno;
  // The data reaches the disk before the name does, so a crash cannot leave
  // a truncated file under the name either. A pipe or a terminal has no disk.
  if (error == 0 && ::fsync(::fileno(stream_)) != 0 && errno != EINVAL) error = errno;
  if (error == 0 && replacement_) error = replacement_->giveName(::fileno(stream_));
  const int closed = std::fclose(stream_);
  stream_ = nullptr;
  if (error == 0 && closed != 0) error = errno;
  replacement_.reset();
  if (error != 0) fail(*this, error);
}

void OutputFile::discard() {
  if (stream_ != nullptr) std::fclose(stream_);
  stream_ = nullptr;
  replacement_.reset();
}

namespace {

NewFileOutcome writeThrough(const std::string& path, std::string_view bytes, Existing existing) {
  try {
    OutputFile file(path, existing);
    if (std::fwrite(bytes.data(), 1, bytes.size(), file.stream()) != bytes.size()) {
      return {file.errorMessage(std::strerror(errno != 0 ? errno : EIO))};
    }
    file.commit();
  } catch (const FileError& error) {
    return {error.what(), existing == Existing::keep && error.code == EEXIST};
  }
  return {};
}

}  // namespace

std::string writeFileSafely(const std::string& path, std::string_view bytes) {
  return writeThrough(path, bytes, Existing::replace).error;
}

NewFileOutcome writeNewFileSafely(const std::string& path, std::string_view bytes) {
  return writeThrough(path, bytes, Existing::keep);
}

}  // namespace glyphverse
