#pragma once
// The one way the tools and the explorer write an output file, so that no
// failure, signal or kill ever destroys what the path held before.
//
// A path that names something other than a regular file (a device, a pipe,
// standard output) is written in place and never removed. A regular file, or
// a new one, is written to an unnamed file in its directory that gets the
// file's name only once it is complete and on disk, keeping a replaced file's
// owner and permissions; whatever ends the process before, nothing is left
// behind. Where the file system has no unnamed files, a hidden temporary file
// is used instead and removed on every error and on every signal that can be
// caught. As the shell does, a file the user may not write is refused, and
// symbolic links are followed (a dangling one creates its target); the link
// stays a link.

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

namespace glyphverse {

class FileSizeSignalIgnored;

// The file cannot be written; the message names it and says why, and
// `code` is the errno behind it.
struct FileError : std::runtime_error {
  explicit FileError(const std::string& message, int errorCode = 0)
      : std::runtime_error(message), code(errorCode) {}
  int code;
};

// Whether a file already at the path may be replaced. A new file only ever
// takes a name nothing has, even a name another program takes meanwhile:
// the name is claimed as the complete file gets it.
enum class Existing { replace, keep };

// What a regular file's data is written to until it is complete: an unnamed
// file where the file system has them, else a hidden named one; or always a
// named one, as on a file system without unnamed files.
enum class Temporary { unnamedWherePossible, named };

class OutputFile {
 public:
  // Opens the file to write (waiting for a reader when it is a pipe).
  // Throws FileError (EEXIST where `existing` keeps a file that is there).
  explicit OutputFile(std::string path, Existing existing = Existing::replace,
                      Temporary temporary = Temporary::unnamedWherePossible);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  std::FILE* stream() const { return stream_; }
  const std::string& path() const { return path_; }
  // "cannot write <path>: <reason>", for errors found while writing.
  std::string errorMessage(const std::string& reason) const;
  // Flushes the data to disk and gives it the file's name. Throws FileError.
  void commit();

 private:
  struct Replacement;

  void discard();

  std::string path_;
  std::unique_ptr<FileSizeSignalIgnored> fileSizeSignal_;  // while the file is open
  std::FILE* stream_ = nullptr;
  std::unique_ptr<Replacement> replacement_;  // none when written in place
};

// Puts `bytes` at `path` through an OutputFile. Returns "" on success, or
// "cannot write PATH: REASON".
std::string writeFileSafely(const std::string& path, std::string_view bytes);

// Puts `bytes` at `path` only where nothing has that name, never replacing
// anything. `taken` says whether the name was had already (the error then
// says so too).
struct NewFileOutcome {
  std::string error;
  bool taken = false;
};
NewFileOutcome writeNewFileSafely(const std::string& path, std::string_view bytes);

}  // namespace glyphverse
