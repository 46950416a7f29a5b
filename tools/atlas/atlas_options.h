#pragma once
// The command line of glyphverse-atlas:
//   glyphverse-atlas galaxy X Y W H [OPTIONS]
//   glyphverse-atlas system GX GY X Y W H [OPTIONS]
//   glyphverse-atlas planet GX GY X Y W H [OPTIONS]
//   glyphverse-atlas place PLACE W H [OPTIONS]
// Options: --out FILE, --scale N or --glyphs, --threads N, --compression N, --quiet.

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/atlas/atlas_layout.h"
#include "tools/atlas/atlas_render.h"
#include "tools/atlas/atlas_world.h"
#include "world/place.h"

namespace glyphverse {

struct AtlasOptions {
  AtlasLevel level = AtlasLevel::galaxy;
  std::int64_t systemX = 0;  // the galaxy cell whose system is shown
  std::int64_t systemY = 0;
  // Given as a place's text: its level and system, the rectangle centred on it.
  std::optional<Place> place;
  AtlasLayout layout;
  RenderSettings settings;
  std::string out;  // the PNG file; "<level>.png" unless given
  bool quiet = false;
};

struct AtlasCommand {
  AtlasOptions options;
  // The text that --help or --version asks for; when it is set, nothing runs.
  std::string info;
};

// A bad argument; the message names it.
struct AtlasUsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads the arguments after the program name. Throws AtlasUsageError.
AtlasCommand parseAtlasCommand(const std::vector<std::string>& arguments);

}  // namespace glyphverse
