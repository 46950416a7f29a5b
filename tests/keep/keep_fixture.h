#pragma once
// What the store's tests share: a folder of their own, files read whole,
// raw SQLite connections playing another program, and child processes.

#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include "keep/sqlite_store.h"

namespace glyphverse {

class TempFolder {
 public:
  TempFolder() {
    char pattern[] = "/tmp/glyphverse-keep-XXXXXX";
    path_ = ::mkdtemp(pattern);
  }
  ~TempFolder() { std::system(("chmod -R u+rwx '" + path_ + "'; rm -rf '" + path_ + "'").c_str()); }
  const std::string& path() const { return path_; }
  std::string file(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

inline std::string fileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// Another program's connection, for setting up what the store must face.
struct RawDatabase {
  explicit RawDatabase(const std::string& path) { sqlite3_open(path.c_str(), &db); }
  ~RawDatabase() { sqlite3_close(db); }
  bool exec(const std::string& sql) {
    return sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr) == SQLITE_OK;
  }
  sqlite3* db = nullptr;
};

// Runs `body` in a child process and returns its exit status (-1 when it
// did not exit). The child has no open connection of the parent's.
inline int inChild(const std::function<int()>& body) {
  const pid_t child = ::fork();
  if (child == 0) {
    // Nothing may unwind into the test runner's copy in the child.
    try {
      ::_exit(body());
    } catch (const std::exception& error) {
      std::fprintf(stderr, "child: %s\n", error.what());
    }
    ::_exit(99);
  }
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) std::fprintf(stderr, "child ended by signal %d\n", WTERMSIG(status));
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

inline Place somePlace(int n) {
  return n % 2 == 0 ? galaxyPlace(n, 2 * n) : Place{3, {n, n + 1}, {4, 7}};
}

}  // namespace glyphverse
