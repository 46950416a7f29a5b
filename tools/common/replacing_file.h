#pragma once
// A file that appears under its name only once it is complete. It is written
// as a temporary file beside the target and renamed over it by commit(),
// keeping a replaced file's permissions (and a symbolic link as a link); on
// failure, on destruction without commit, and when the process is ended by
// SIGINT, SIGTERM or SIGHUP, the temporary file is removed, so no partial
// file is ever left. One instance at a time may be open in a process (the
// signal handlers know one temporary file).

#include <cstdio>
#include <stdexcept>
#include <string>

namespace glyphverse {

// The file cannot be written; the message names it and says why.
struct FileError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

class ReplacingFile {
 public:
  // Creates the temporary file. Throws FileError.
  explicit ReplacingFile(std::string target);
  ~ReplacingFile();
  ReplacingFile(const ReplacingFile&) = delete;
  ReplacingFile& operator=(const ReplacingFile&) = delete;

  std::FILE* stream() const { return stream_; }
  const std::string& target() const { return target_; }
  // "cannot write <target>: <reason>", for errors found while writing.
  std::string errorMessage(const std::string& reason) const;
  // Flushes the data to disk and renames the file into place. Throws FileError.
  void commit();

 private:
  void discard();

  std::string target_;
  std::string renamed_;  // the target, or the file a link at the target leads to
  std::string temporary_;
  std::FILE* stream_ = nullptr;
};

}  // namespace glyphverse
