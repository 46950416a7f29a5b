// glyphverse-atlas: posters of the universe. Renders any rectangle of the
// galaxy, of a star system's background or of its planet's surface to a PNG
// on every core, in bounded memory. Exit status 2 for bad arguments, 1 when
// the file cannot be written; no partial file is left behind. --help tells
// the whole story.

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <vector>

#include "base/message_text.h"
#include "base/output_file.h"
#include "base/progress.h"
#include "gen/places.h"
#include "tools/atlas/atlas_options.h"
#include "tools/atlas/atlas_render.h"
#include "tools/atlas/memory_room.h"
#include "tools/atlas/render_plan.h"

namespace {

using namespace glyphverse;

constexpr const char* PROGRAM = "glyphverse-atlas";

void printSummary(const AtlasOptions& options, const RenderStats& stats) {
  const AtlasLayout& layout = options.layout;
  const double cells = static_cast<double>(layout.columns) * static_cast<double>(layout.rows);
  std::fprintf(stderr, "%s: %lld x %lld pixels, %.0f cells in %.2f s (%.1f M cells/s), %.1f MB\n",
               escapeControlBytes(options.out).c_str(), static_cast<long long>(layout.width()),
               static_cast<long long>(layout.height()), cells, stats.seconds,
               cells / stats.seconds / 1e6, static_cast<double>(stats.fileBytes) / 1e6);
}

int run(const AtlasOptions& options) {
  const LevelWorld world = options.place
                               ? worldAt(*options.place)
                               : levelWorld(options.level, options.systemX, options.systemY);
  const AtlasLayout& layout = options.layout;
  const std::string noRoom =
      "not enough memory for bands of " + std::to_string(layout.width()) + " pixels a row";
  RenderSettings settings = options.settings;
  settings.memoryBytes = memoryRoom();
  if (!planRender(layout, settings)) {  // refused before there is any file
    std::fprintf(stderr, "%s: cannot write %s: %s\n", PROGRAM,
                 escapeControlBytes(options.out).c_str(), noRoom.c_str());
    return 1;
  }
  try {
    OutputFile file(options.out);
    RenderStats stats;
    {
      ProgressBar progress(layout.columns * layout.rows, "cells", !options.quiet);
      try {
        stats = writeAtlasPng(world, layout, settings, file.stream(), &progress);
      } catch (const WriteError& error) {
        throw FileError(file.errorMessage(error.what()));
      } catch (const std::bad_alloc&) {
        throw FileError(file.errorMessage(noRoom));
      }
    }
    file.commit();
    if (!options.quiet && ::isatty(STDERR_FILENO) == 1) printSummary(options, stats);
  } catch (const FileError& error) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.what());
    return 1;
  }
  return 0;
}

int parseAndRun(int argc, char** argv) {
  AtlasCommand command;
  try {
    command = parseAtlasCommand(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const AtlasUsageError& error) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the levels and options.\n", PROGRAM,
                 error.what(), PROGRAM);
    return 2;
  }
  if (command.info.empty()) return run(command.options);
  if (std::fwrite(command.info.data(), 1, command.info.size(), stdout) == command.info.size() &&
      std::fflush(stdout) == 0) {
    return 0;
  }
  std::fprintf(stderr, "%s: cannot write to standard output: %s\n", PROGRAM, std::strerror(errno));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return parseAndRun(argc, argv);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.what());
    return 1;
  }
}
