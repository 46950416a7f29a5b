// Output files on a real file system: what was at the path survives every
// failure, things that are not regular files are written in place, and
// links, owners, permissions and long names are treated as the shell does.

#include "base/output_file.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "base/ending_signals.h"

namespace glyphverse {
namespace {

namespace fs = std::filesystem;

class OutputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "output-file-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  std::string path(const std::string& name) const { return (dir_ / name).string(); }

  std::set<std::string> names() const {
    std::set<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_)) {
      found.insert(entry.path().filename().string());
    }
    return found;
  }

  fs::path dir_;
};

std::string contents(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

void put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

// Runs `check` in a child process as an unprivileged user when this is root
// (whom permissions do not stop); true when it returned true.
template <typename Check>
bool asUser(Check check) {
  if (::geteuid() != 0) return check();
  const pid_t child = ::fork();
  if (child == 0) {
    const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && check();
    ::_exit(ok ? 0 : 1);
  }
  int status = 0;
  return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST_F(OutputFileTest, AFifoIsWrittenInPlaceAndStaysAFifo) {
  const std::string fifo = path("pipe");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  std::string received;
  std::thread reader([&] { received = contents(fifo); });
  const std::string bytes(100000, 'p');
  EXPECT_EQ(writeFileSafely(fifo, bytes), "");
  reader.join();
  EXPECT_EQ(received, bytes);
  struct stat info {};
  ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
  EXPECT_TRUE(S_ISFIFO(info.st_mode));
  EXPECT_EQ(names(), std::set<std::string>{"pipe"});
}

// Refused as the shell's > refuses it, and left as it was.
TEST_F(OutputFileTest, AFileTheUserMayNotWriteIsRefused) {
  ASSERT_EQ(::chmod(dir_.c_str(), 0777), 0);
  const std::string file = path("kept.png");
  put(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0444), 0);
  EXPECT_TRUE(asUser([&] {
    return writeFileSafely(file, "new") == "cannot write " + file + ": Permission denied";
  }));
  EXPECT_EQ(contents(file), "old");
  EXPECT_EQ(names(), std::set<std::string>{"kept.png"});
}

TEST_F(OutputFileTest, AReplacedFileKeepsItsOwnerAndPermissions) {
  const std::string file = path("shared.png");
  put(file, "old");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown(file.c_str(), 1234, 5678), 0);
  }
  ASSERT_EQ(writeFileSafely(file, "new"), "");
  struct stat info {};
  ASSERT_EQ(::stat(file.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  if (root) {
    EXPECT_EQ(info.st_uid, 1234u);
    EXPECT_EQ(info.st_gid, 5678u);
  }
  EXPECT_EQ(contents(file), "new");
}

// A dangling link's target is created, read from the link's own directory,
// and the link stays a link; a loop of links is an error that changes nothing.
TEST_F(OutputFileTest, LinksAreFollowedAsTheShellFollowsThem) {
  fs::create_directory(dir_ / "pictures");
  fs::create_symlink("new.png", dir_ / "pictures" / "link.png");
  fs::create_symlink("pictures/link.png", dir_ / "outer.png");
  EXPECT_EQ(writeFileSafely(path("outer.png"), "picture"), "");
  EXPECT_EQ(contents(path("pictures/new.png")), "picture");
  EXPECT_TRUE(fs::is_symlink(dir_ / "outer.png"));
  EXPECT_TRUE(fs::is_symlink(dir_ / "pictures" / "link.png"));

  fs::create_symlink("b", dir_ / "a");
  fs::create_symlink("a", dir_ / "b");
  EXPECT_EQ(writeFileSafely(path("a"), "x"),
            "cannot write " + path("a") + ": Too many levels of symbolic links");
  EXPECT_TRUE(fs::is_symlink(dir_ / "a"));
  EXPECT_EQ(names(), (std::set<std::string>{"a", "b", "outer.png", "pictures"}));
}

TEST_F(OutputFileTest, ANameOfTheLongestLengthIsWritten) {
  const std::string name(255, 'n');
  EXPECT_EQ(writeFileSafely(path(name), "old"), "");
  EXPECT_EQ(writeFileSafely(path(name), "new"), "");
  EXPECT_EQ(contents(path(name)), "new");
  EXPECT_EQ(names(), std::set<std::string>{name});
}

// A file abandoned half way, or over the file size limit, leaves the old one
// as it was and nothing else; SIGXFSZ does not end the process.
TEST_F(OutputFileTest, AFailedWriteLeavesTheOldFileAndNothingElse) {
  const std::string file = path("old.png");
  put(file, "old");
  {
    OutputFile abandoned(file);
    std::fputs("half", abandoned.stream());
  }
  struct rlimit limit {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &limit), 0);
  const struct rlimit small = {4096, limit.rlim_max};
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  const std::string error = writeFileSafely(file, std::string(100000, 'b'));
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &limit), 0);
  EXPECT_EQ(error, "cannot write " + file + ": File too large");
  EXPECT_EQ(contents(file), "old");
  EXPECT_EQ(names(), std::set<std::string>{"old.png"});
}

// Where there are no unnamed files, an ending signal that comes while a file
// is being written removes the temporary file and runs every other cleanup
// registered (here one standing for a terminal held), and the process still
// ends as the signal says.
TEST_F(OutputFileTest, EndingSignalsRunEveryCleanupAndRemoveANamedTemporaryFile) {
  for (const int signalNumber : {SIGINT, SIGTERM}) {
    int report[2];
    ASSERT_EQ(::pipe(report), 0);
    const pid_t child = ::fork();
    if (child == 0) {
      ::alarm(10);                      // a child the signal missed fails instead of hanging
      ::signal(signalNumber, SIG_DFL);  // a background job may have it ignored
      static int reportFd = report[1];
      const EndingSignalCleanup terminalLike([](void*) { (void)::write(reportFd, "c", 1); },
                                             nullptr);
      OutputFile file(path("picture.png"), Existing::replace, Temporary::named);
      std::fputs("half", file.stream());
      std::fflush(file.stream());
      (void)::write(reportFd, "w", 1);
      for (;;) ::pause();
    }
    ::close(report[1]);
    char writing = 0;
    ASSERT_EQ(::read(report[0], &writing, 1), 1);
    const std::set<std::string> during = names();
    EXPECT_TRUE(during.size() == 1 && during.begin()->starts_with(".glyphverse-"));
    ::kill(child, signalNumber);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == signalNumber) << signalNumber;
    EXPECT_TRUE(names().empty()) << signalNumber;
    char cleaned[2] = {};
    EXPECT_EQ(::read(report[0], cleaned, sizeof cleaned), 1) << signalNumber;
    EXPECT_EQ(cleaned[0], 'c') << signalNumber;
    ::close(report[0]);
  }
}

}  // namespace
}  // namespace glyphverse
