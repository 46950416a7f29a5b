#include "tools/atlas/atlas_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>

#include "base/help_formatter.h"
#include "base/message_text.h"
#include "base/version.h"
#include "tools/atlas/band_encoder.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

constexpr int MOST_THREADS = 1024;
constexpr int LARGEST_SCALE = 64;

constexpr const char* DESCRIPTION =
    "Renders any rectangle of the galaxy, of a star system's background or of its\n"
    "planet's surface to a PNG, on every core and in memory bounded by the width.";

constexpr const char* FOOTER = R"(Levels:
  galaxy X Y W H            the galaxy's nebulae and stars
  system GX GY X Y W H      the background of the star system at galaxy cell (GX, GY)
  planet GX GY X Y W H      the surface of that system's planet
  place PLACE W H           W x H cells of the place's level centred on it
                            (2/X/Y on the galaxy, LEVEL/GX/GY/X/Y below it)
W x H cells from the top-left cell (X, Y); larger y is lower. Coordinates are
any integers and wrap at the world's edges (0 to 16777215) as everywhere else.

One pixel a cell shows the nebula's colour with the star's grey on top, the
system background's colour, or the terrain tile's main colour; --glyphs draws
each cell as the explorer's map does, so a poster equals its frames stitched
together. The file is the same byte for byte for any number of threads.

Exit status: 0 when the PNG was written, 1 when it could not be (no partial
file is left behind), 2 for a bad argument.)";

// Each level's command: its positional numbers, then the options all share.
struct LevelCommand {
  CLI::App* app = nullptr;
  AtlasLevel level = AtlasLevel::galaxy;
};

// Numbers are read here, not by CLI11, which would take "0x10" and " 10".
// A coordinate of any length wraps into the world.
void addCoordinate(CLI::App& command, const std::string& name, std::int64_t& coordinate,
                   const std::string& about) {
  command
      .add_option_function<std::string>(
          name,
          [name, &coordinate](const std::string& text) {
            const auto value = readCoordinate(text);
            if (!value) throw AtlasUsageError(notWholeNumberMessage(name, echoedField(text)));
            coordinate = *value;
          },
          about)
      ->required();
}

// A size in cells; checkSize says what it may be once the scale is known.
void addSize(CLI::App& command, const std::string& name, std::int64_t& cells,
             const std::string& about) {
  command
      .add_option_function<std::string>(
          name,
          [name, &cells](const std::string& text) {
            if (!isWholeNumber(text)) {
              throw AtlasUsageError(notWholeNumberMessage(name, echoedField(text)));
            }
            const auto value = readWholeNumber(text, INT64_MIN, INT64_MAX);
            if (!value) {
              throw AtlasUsageError(name + ": '" + echoedField(text) +
                                    "' cells are beyond PNG's limit of " +
                                    std::to_string(PNG_MAX_SIDE) + " pixels a side");
            }
            cells = *value;
          },
          about)
      ->required();
}

void addPlace(CLI::App& command, AtlasLevel level, AtlasOptions& options) {
  if (level != AtlasLevel::galaxy) {
    addCoordinate(command, "GX", options.systemX, "Galaxy x of the star system");
    addCoordinate(command, "GY", options.systemY, "Galaxy y of the star system");
  }
  AtlasLayout& layout = options.layout;
  addCoordinate(command, "X", layout.left, "x of the top-left cell");
  addCoordinate(command, "Y", layout.top, "y of the top-left cell");
  addSize(command, "W", layout.columns, "Width in cells, 1 or more");
  addSize(command, "H", layout.rows, "Height in cells, 1 or more");
}

void addLook(CLI::App& command, AtlasLevel level, AtlasOptions& options, int& scale) {
  command.add_option("-o,--out", options.out,
                     "PNG file to write (default " + std::string(levelName(level)) +
                         ".png); a file\nthere is replaced only once the new one is complete");
  CLI::Option* scaleOption =
      command.add_option("-s,--scale", scale, "Pixels a side of each cell, in its colour (1)")
          ->check(CLI::Range(1, LARGEST_SCALE));
  command
      .add_flag("-g,--glyphs", options.layout.glyphs,
                "Each cell at 8 x 8 pixels, drawn as the explorer's map")
      ->excludes(scaleOption);
  command.add_option("-t,--threads", options.settings.threads, "Threads to render on (all cores)")
      ->check(CLI::Range(1, MOST_THREADS));
  command
      .add_option("-c,--compression", options.settings.compression,
                  "zlib level: 0 fastest to 9 smallest (1)")
      ->check(CLI::Range(0, MAX_COMPRESSION));
  command.add_flag("-q,--quiet", options.quiet, "No progress bar or summary on the terminal");
}

// The place command: a place's text and the size, the rectangle centred on it.
CLI::App* addPlaceCommand(CLI::App& app, AtlasOptions& options, std::string& placeText,
                          int& scale) {
  const std::string about = "W x H cells of the place's level, centred on the place";
  CLI::App* command = app.add_subcommand("place", about);
  command->formatter(
      std::make_shared<HelpFormatter>("glyphverse-atlas place PLACE W H [OPTIONS]", about));
  command->footer(FOOTER);
  command->add_option("PLACE", placeText, "A place: 2/X/Y or LEVEL/GX/GY/X/Y")->required();
  addSize(*command, "W", options.layout.columns, "Width in cells, 1 or more");
  addSize(*command, "H", options.layout.rows, "Height in cells, 1 or more");
  addLook(*command, AtlasLevel::galaxy, options, scale);
  return command;
}

// The place's level and rectangle, from the text the place command was given.
void applyPlace(const std::string& text, AtlasOptions& options) {
  const PlaceReading reading = readPlace(text);
  if (!reading.place) {
    throw AtlasUsageError("PLACE: '" + echoedField(text) + "' is not a place: " + reading.error);
  }
  options.place = *reading.place;
  const Position centre = positionOn(*reading.place);
  options.layout.left = centre.x - options.layout.columns / 2;
  options.layout.top = centre.y - options.layout.rows / 2;
  if (options.out.empty()) options.out = "place.png";
}

LevelCommand addLevel(CLI::App& app, AtlasLevel level, const std::string& usage,
                      const std::string& about, AtlasOptions& options, int& scale) {
  CLI::App* command = app.add_subcommand(std::string(levelName(level)), about);
  command->formatter(std::make_shared<HelpFormatter>("glyphverse-atlas " + usage, about));
  command->footer(FOOTER);
  addPlace(*command, level, options);
  addLook(*command, level, options, scale);
  return {command, level};
}

// A size of at least one cell, whose pixels fit in a PNG.
void checkSize(const AtlasLayout& layout) {
  const auto side = [&](std::int64_t cells, const char* name) {
    if (cells < 1) {
      throw AtlasUsageError(std::string(name) + ": " + std::to_string(cells) +
                            " cells; the picture needs at least 1 cell a side");
    }
    if (cells > PNG_MAX_SIDE / layout.cellPixels) {
      throw AtlasUsageError(std::string(name) + ": " + std::to_string(cells) + " cells of " +
                            std::to_string(layout.cellPixels) + " pixels exceed PNG's limit of " +
                            std::to_string(PNG_MAX_SIDE) + " pixels a side");
    }
  };
  side(layout.columns, "W");
  side(layout.rows, "H");
}

}  // namespace

AtlasCommand parseAtlasCommand(const std::vector<std::string>& arguments) {
  CLI::App app;
  app.name("glyphverse-atlas");
  app.formatter(
      std::make_shared<HelpFormatter>("glyphverse-atlas LEVEL ... [OPTIONS]", DESCRIPTION));
  app.footer(FOOTER);
  app.set_version_flag("--version", std::string("glyphverse-atlas ") + projectVersion());
  app.require_subcommand(1);
  AtlasCommand command;
  AtlasOptions& options = command.options;
  int scale = 1;
  const std::array<LevelCommand, 3> levels = {
      addLevel(app, AtlasLevel::galaxy, "galaxy X Y W H [OPTIONS]", "The galaxy: nebulae and stars",
               options, scale),
      addLevel(app, AtlasLevel::system, "system GX GY X Y W H [OPTIONS]",
               "The background of the star system at galaxy cell (GX, GY)", options, scale),
      addLevel(app, AtlasLevel::planet, "planet GX GY X Y W H [OPTIONS]",
               "The surface of the planet of the star system at galaxy cell (GX, GY)", options,
               scale),
  };
  std::string placeText;
  const CLI::App* placeCommand = addPlaceCommand(app, options, placeText, scale);
  // CLI11 would only say that a subcommand is required.
  if (!arguments.empty() && !arguments[0].empty() && arguments[0][0] != '-' &&
      arguments[0] != "place" &&
      std::none_of(levels.begin(), levels.end(), [&](const LevelCommand& level) {
        return level.app->get_name() == arguments[0];
      })) {
    throw AtlasUsageError("unknown level '" + echoedField(arguments[0]) +
                          "': expected galaxy, system, planet or place");
  }
  command.info = parseCommandLine<AtlasUsageError>(app, arguments);
  if (!command.info.empty()) return command;
  // Given but empty, it names no file: the default would be a surprise.
  for (const CLI::App* level : app.get_subcommands()) {
    if (level->count("--out") > 0 && options.out.empty()) {
      throw AtlasUsageError("--out: the file name is empty");
    }
  }
  if (placeCommand->parsed()) applyPlace(placeText, options);
  for (const LevelCommand& level : levels) {
    if (level.app->parsed()) options.level = level.level;
  }
  options.layout.cellPixels = options.layout.glyphs ? GLYPH_CELL_PIXELS : scale;
  checkSize(options.layout);
  if (options.out.empty()) options.out = std::string(levelName(options.level)) + ".png";
  return command;
}

}  // namespace glyphverse
