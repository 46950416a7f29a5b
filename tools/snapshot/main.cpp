// glyphverse-snapshot: runs the explorer headless, driven by a script, saves
// the last frame as a PNG and prints one line of JSON about where the
// explorer ended. Exit status 2 for a bad argument, 1 when the PNG or the
// JSON line cannot be written. --help tells the whole story.

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "base/message_text.h"
#include "base/progress.h"
#if GLYPHVERSE_SNAPSHOT_READS_CATALOGUE
#include "app/catalogue_file.h"
#endif
#include "display/png_io.h"
#include "tools/snapshot/arguments.h"
#include "tools/snapshot/snapshot.h"

namespace {

constexpr const char* PROGRAM = "glyphverse-snapshot";
// Runs from this long on (a third of a second in an optimised build) show progress.
constexpr std::int64_t PROGRESS_FROM_FRAMES = 2000;

// Writes all of `text` to standard output; false, with the reason in errno, when it fails.
bool printAll(const std::string& text) {
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() &&
         std::fflush(stdout) == 0;
}

int runAndSave(const glyphverse::SnapshotOptions& options) {
  using namespace glyphverse;
  const std::int64_t frames = scriptFrames(options.steps);
  // A long run shows its bar from the start.
  ProgressBar progress(frames, "frames", frames >= PROGRESS_FROM_FRAMES,
                       std::chrono::milliseconds(0));
  progress.update(0);
  const SnapshotResult result =
      runSnapshot(options, [&](std::int64_t frames) { progress.update(frames); });
  progress.finish();

  if (const std::string error = writePng(options.out, result.frame); !error.empty()) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.c_str());
    return 1;
  }
  if (!printAll(snapshotJson(result) + "\n")) {
    std::fprintf(stderr, "%s: cannot write the JSON line: %s\n", PROGRAM, std::strerror(errno));
    return 1;
  }
  return 0;
}

int run(int argc, char** argv) {
  glyphverse::SnapshotCommand command;
  try {
    command = glyphverse::parseSnapshotCommand(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const glyphverse::UsageError& error) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the options and script steps.\n", PROGRAM,
                 error.what(), PROGRAM);
    return 2;
  }
  if (command.info.empty() && !command.options.cataloguePath.empty()) {
    std::string error = "this build cannot read catalogues (it has no SQLite)";
#if GLYPHVERSE_SNAPSHOT_READS_CATALOGUE
    command.options.catalogue = glyphverse::readCatalogueList(command.options.cataloguePath, error);
#endif
    if (!command.options.catalogue) {
      std::fprintf(stderr, "%s: --catalogue: %s\n", PROGRAM,
                   glyphverse::escapeControlBytes(error).c_str());
      return 2;
    }
  }
  if (command.info.empty()) return runAndSave(command.options);
  if (printAll(command.info)) return 0;
  std::fprintf(stderr, "%s: cannot write to standard output: %s\n", PROGRAM, std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {  // out of memory, for one
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.what());
    return 1;
  }
}
