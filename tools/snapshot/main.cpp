// glyphverse-snapshot: runs the explorer headless, driven by a script, and
// saves the last frame as a PNG.
//   glyphverse-snapshot [--start X,Y] [--frame-time S] [--script STEPS] --out FILE.png
// Prints one line of JSON about where the explorer ended. Exit status 2 for a
// bad argument, 1 when the PNG or the JSON line cannot be written.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/snapshot/png_io.h"
#include "tools/snapshot/snapshot.h"

int main(int argc, char** argv) {
  using namespace glyphverse;
  SnapshotOptions options;
  try {
    options = parseSnapshotArguments(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::fprintf(stderr, "glyphverse-snapshot: %s\n", error.what());
    std::fprintf(stderr,
                 "usage: glyphverse-snapshot [--start X,Y] [--frame-time S] [--script STEPS] "
                 "--out FILE.png\n");
    return 2;
  }
  const SnapshotResult result = runSnapshot(options);
  if (const std::string error = writePng(options.out, result.frame); !error.empty()) {
    std::fprintf(stderr, "glyphverse-snapshot: %s\n", error.c_str());
    return 1;
  }
  const std::string json = snapshotJson(result) + "\n";
  if (std::fwrite(json.data(), 1, json.size(), stdout) != json.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "glyphverse-snapshot: cannot write the JSON line: %s\n",
                 std::strerror(errno));
    return 1;
  }
  return 0;
}
