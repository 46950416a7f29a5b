// glyphverse-atlas: posters of the universe. Renders any rectangle of the
// galaxy, of a star system's background or of its planet's surface to a PNG
// on every core, in bounded memory. Exit status 2 for bad arguments, 1 when
// the file cannot be written; no partial file is left behind.

#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <new>
#include <string>
#include <vector>

#include "tools/atlas/atlas_options.h"
#include "tools/atlas/atlas_render.h"
#include "tools/common/progress.h"
#include "tools/common/replacing_file.h"

namespace {

using namespace glyphverse;

void printSummary(const AtlasOptions& options, const RenderStats& stats) {
  const AtlasLayout& layout = options.layout;
  const double cells = static_cast<double>(layout.columns) * static_cast<double>(layout.rows);
  std::fprintf(stderr, "%s: %lld x %lld pixels, %.0f cells in %.2f s (%.1f M cells/s), %.1f MB\n",
               options.out.c_str(), static_cast<long long>(layout.width()),
               static_cast<long long>(layout.height()), cells, stats.seconds,
               cells / stats.seconds / 1e6, static_cast<double>(stats.fileBytes) / 1e6);
}

int run(const AtlasOptions& options) {
  const LevelWorld world = levelWorld(options.level, options.systemX, options.systemY);
  const AtlasLayout& layout = options.layout;
  try {
    ReplacingFile file(options.out);
    RenderStats stats;
    {
      ProgressBar progress(layout.columns * layout.rows, "cells", !options.quiet);
      try {
        stats = writeAtlasPng(world, layout, options.settings, file.stream(), &progress);
      } catch (const WriteError& error) {
        throw FileError(file.errorMessage(error.what()));
      } catch (const std::bad_alloc&) {
        throw FileError(file.errorMessage("not enough memory for bands of " +
                                          std::to_string(layout.width()) + " pixels a row"));
      }
    }
    file.commit();
    if (!options.quiet && ::isatty(STDERR_FILENO) == 1) printSummary(options, stats);
  } catch (const FileError& error) {
    std::fprintf(stderr, "glyphverse-atlas: %s\n", error.what());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedArguments parsed =
      parseAtlasArguments(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  if (!parsed.options) return parsed.exitCode;
  return run(*parsed.options);
}
