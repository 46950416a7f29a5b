// frame_pixels: the snapshot tool's run without its PNG, for builds that have
// no libpng (the WebAssembly one). Takes the snapshot tool's options, runs
// the explorer's real start-up and frame loop on the headless display, and
// writes the last frame's red, green and blue bytes, row by row, to --out;
// the JSON line goes to standard output as the snapshot tool prints it.

#include <cstdio>
#include <exception>
#include <fstream>
#include <string>
#include <vector>

#include "tools/snapshot/arguments.h"
#include "tools/snapshot/snapshot.h"

namespace {

bool writeRgb(const std::string& path, const glyphverse::Image& frame) {
  std::string bytes;
  bytes.reserve(frame.pixels.size() * 3);
  for (const glyphverse::Color color : frame.pixels) {
    bytes += static_cast<char>((color >> 16) & 0xFF);
    bytes += static_cast<char>((color >> 8) & 0xFF);
    bytes += static_cast<char>(color & 0xFF);
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const glyphverse::SnapshotCommand command =
        glyphverse::parseSnapshotCommand(std::vector<std::string>(argv + 1, argv + argc));
    if (!command.info.empty()) {
      std::fputs(command.info.c_str(), stdout);
      return 0;
    }
    const glyphverse::SnapshotResult result = glyphverse::runSnapshot(command.options);
    if (!writeRgb(command.options.out, result.frame)) {
      std::fprintf(stderr, "frame_pixels: cannot write %s\n", command.options.out.c_str());
      return 1;
    }
    std::printf("%s\n", glyphverse::snapshotJson(result).c_str());
    return 0;
  } catch (const glyphverse::UsageError& error) {
    std::fprintf(stderr, "frame_pixels: %s\n", error.what());
    return 2;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "frame_pixels: %s\n", error.what());
    return 1;
  }
}
