#pragma once
// The command line of glyphverse-atlas:
//   glyphverse-atlas galaxy X Y W H [options]
//   glyphverse-atlas system GX GY X Y W H [options]
//   glyphverse-atlas planet GX GY X Y W H [options]
// Options: --out FILE, --scale N or --glyphs, --threads N, --compression N, --quiet.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "tools/atlas/atlas_layout.h"
#include "tools/atlas/atlas_render.h"
#include "tools/atlas/atlas_world.h"

namespace glyphverse {

struct AtlasOptions {
  AtlasLevel level = AtlasLevel::galaxy;
  std::int64_t systemX = 0;  // the galaxy cell whose system is shown
  std::int64_t systemY = 0;
  AtlasLayout layout;
  RenderSettings settings;
  std::string out;  // the PNG file; "<level>.png" unless given
  bool quiet = false;
};

struct ParsedArguments {
  std::optional<AtlasOptions> options;  // nothing: exit with exitCode
  int exitCode = 0;                     // 0 after --help or --version, 2 for bad arguments
};

// Parses the arguments after the program name. Help and version go to `out`,
// errors (naming the argument) to `err`.
ParsedArguments parseAtlasArguments(const std::vector<std::string>& arguments, std::ostream& out,
                                    std::ostream& err);

}  // namespace glyphverse
