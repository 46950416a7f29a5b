#include "tools/atlas/atlas_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <string_view>

#include "tools/atlas/band_encoder.h"

#ifndef GLYPHVERSE_VERSION
#define GLYPHVERSE_VERSION "unknown"
#endif

namespace glyphverse {
namespace {

constexpr int MOST_THREADS = 1024;
constexpr int LARGEST_SCALE = 64;

// Each level's command: its positional numbers, then the options all share.
struct LevelCommand {
  CLI::App* app = nullptr;
  AtlasLevel level = AtlasLevel::galaxy;
};

LevelCommand addLevel(CLI::App& app, AtlasLevel level, const std::string& about,
                      AtlasOptions& options, int& scale) {
  CLI::App* command = app.add_subcommand(std::string(levelName(level)), about);
  if (level != AtlasLevel::galaxy) {
    command->add_option("GX", options.systemX, "Galaxy x of the star system")->required();
    command->add_option("GY", options.systemY, "Galaxy y of the star system")->required();
  }
  AtlasLayout& layout = options.layout;
  command->add_option("X", layout.left, "x of the top-left cell (coordinates wrap)")->required();
  command->add_option("Y", layout.top, "y of the top-left cell (larger y is lower)")->required();
  command->add_option("W", layout.columns, "Width in cells")
      ->required()
      ->check(CLI::PositiveNumber);
  command->add_option("H", layout.rows, "Height in cells")->required()->check(CLI::PositiveNumber);
  command->add_option("-o,--out", options.out,
                      "PNG file to write (default: " + std::string(levelName(level)) + ".png)");
  auto* scaleOption =
      command->add_option("-s,--scale", scale, "Pixels a side for each cell, drawn in its colour")
          ->check(CLI::Range(1, LARGEST_SCALE));
  command
      ->add_flag("-g,--glyphs", layout.glyphs,
                 "Draw each cell at 8 x 8 pixels exactly as the explorer's map does")
      ->excludes(scaleOption);
  command
      ->add_option("-t,--threads", options.settings.threads,
                   "Threads to render on (default: all cores)")
      ->check(CLI::Range(1, MOST_THREADS));
  command
      ->add_option("-c,--compression", options.settings.compression,
                   "zlib level, 0 (none, fastest) to 9 (smallest)")
      ->check(CLI::Range(0, MAX_COMPRESSION));
  command->add_flag("-q,--quiet", options.quiet, "No progress bar or summary");
  return {command, level};
}

void checkPngLimits(const AtlasLayout& layout) {
  const auto side = [&](std::int64_t cells, const char* name) {
    if (cells > PNG_MAX_SIDE / layout.cellPixels) {
      throw CLI::ValidationError(name, std::to_string(cells) + " cells of " +
                                           std::to_string(layout.cellPixels) +
                                           " pixels exceed PNG's limit of " +
                                           std::to_string(PNG_MAX_SIDE) + " pixels a side");
    }
  };
  side(layout.columns, "W");
  side(layout.rows, "H");
}

}  // namespace

ParsedArguments parseAtlasArguments(const std::vector<std::string>& arguments, std::ostream& out,
                                    std::ostream& err) {
  CLI::App app{
      "Renders a rectangle of the galaxy, of a star system's background or of its planet's "
      "surface to a PNG, on every core.",
      "glyphverse-atlas"};
  app.set_version_flag("--version", GLYPHVERSE_VERSION);
  app.require_subcommand(1);
  AtlasOptions options;
  int scale = 1;
  const LevelCommand commands[] = {
      addLevel(app, AtlasLevel::galaxy, "The galaxy: nebulae and stars", options, scale),
      addLevel(app, AtlasLevel::system, "The background of the star system at galaxy (GX, GY)",
               options, scale),
      addLevel(app, AtlasLevel::planet, "The surface of the planet of the system at (GX, GY)",
               options, scale),
  };
  // CLI11 would only say that a subcommand is required.
  if (!arguments.empty() && !arguments[0].empty() && arguments[0][0] != '-' &&
      std::none_of(std::begin(commands), std::end(commands), [&](const LevelCommand& command) {
        return command.app->get_name() == arguments[0];
      })) {
    err << "glyphverse-atlas: unknown level '" << arguments[0]
        << "': expected galaxy, system or planet\nRun with --help for more information.\n";
    return {std::nullopt, 2};
  }
  // CLI11 wants the arguments last to first.
  std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
  try {
    app.parse(reversed);
    for (const LevelCommand& command : commands) {
      if (command.app->parsed()) options.level = command.level;
    }
    options.layout.cellPixels = options.layout.glyphs ? GLYPH_CELL_PIXELS : scale;
    checkPngLimits(options.layout);
  } catch (const CLI::ParseError& error) {
    const int code = app.exit(error, out, err);
    return {std::nullopt, code == 0 ? 0 : 2};
  }
  if (options.out.empty()) options.out = std::string(levelName(options.level)) + ".png";
  return {options, 0};
}

}  // namespace glyphverse
