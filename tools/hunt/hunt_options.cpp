#include "tools/hunt/hunt_options.h"

#include <CLI/CLI.hpp>

#include <stdexcept>

#include "base/help_formatter.h"
#include "base/message_text.h"
#include "base/version.h"
#include "world/geometry.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

constexpr const char* PROGRAM = "glyphverse-hunt";
// Bounds the list of tiles done that a run keeps in memory.
constexpr std::int64_t MOST_TILES = std::int64_t{1} << 26;
constexpr std::int64_t LEAST_TILE_SIDE = 16;

constexpr const char* DESCRIPTION =
    "Examines every galaxy cell of the W x H rectangle whose top-left cell is (X0, Y0),\n"
    "wrapping across the world's edges, and the star system of every star there. Writes\n"
    "to the catalogue FILE (SQLite) every system that passes all the filters and the\n"
    "census of the region: how many stars have each starCount, planetCount and\n"
    "nebIntens. The last line on standard output is CELLS, STARS and MATCHES, tab-\n"
    "separated. Run again with the same arguments, it goes on where it stopped.";

constexpr const char* FOOTER =
    R"(Filters (as the explorer's search and glyphverse-query take them):
  bright>=N bright<=N bright=N     nebIntens, 0-255
  planets>=N planets<=N planets=N  planetCount, 0-10
  stars>=N stars<=N stars=N        starCount, 0-5
  name=TEXT                        TEXT (letters, digits) is part of the name

The region is cut into tiles, each recorded in the catalogue with its systems
and census at once: a hunt stopped in any way loses only the tiles it was
computing. A hunt with other arguments onto an existing catalogue is refused
and the file left as it is.

Under mpirun or srun the ranks share the tiles: rank 0 hands them out as the
others ask, computes some itself and writes the catalogue. Read the catalogue
with 'glyphverse-query --catalogue FILE' or open it with 'glyphverse --catalogue
FILE'.

Exit status: 0 when the whole region is done, 1 when writing the catalogue
failed (the tiles recorded stay), 2 for bad arguments or a catalogue that
cannot be used.)";

struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

std::int64_t readSize(const std::string& word, const char* name, std::int64_t least,
                      std::int64_t most) {
  const auto value = readWholeNumber(word, least, most);
  if (!value) {
    throw UsageError(std::string(name) + " '" + echoedField(word) +
                     "' is not a whole number from " + std::to_string(least) + " to " +
                     std::to_string(most));
  }
  return *value;
}

std::int32_t readCorner(const std::string& word, const char* name) {
  const auto value = readCoordinate(word);
  if (!value) throw UsageError(notWholeNumberMessage(name, echoedField(word)));
  return *value;
}

StarFilter readFilter(const std::vector<std::string>& words) {
  std::string line;
  for (const std::string& word : words) (line += word) += ' ';
  SearchTermsReading reading = readSearchTerms(line);
  if (!reading.terms) throw UsageError("filter " + reading.error);
  if (reading.terms->radiusGiven) throw UsageError("radius= is not a filter here: give a region");
  return std::move(reading.terms->filter);
}

}  // namespace

HuntOptionsReading readHuntOptions(const std::vector<std::string>& arguments) {
  CLI::App app("", PROGRAM);
  app.formatter(std::make_shared<HelpFormatter>(
      std::string(PROGRAM) + " X0 Y0 W H [FILTER...] --out FILE [OPTIONS]\n       " + PROGRAM +
          " --all [FILTER...] --out FILE [OPTIONS]",
      DESCRIPTION));
  app.footer(FOOTER);
  app.set_version_flag("--version", std::string(PROGRAM) + " " + projectVersion());
  HuntOptions options;
  std::vector<std::string> words;
  bool all = false;
  std::int64_t tileSide = DEFAULT_TILE_SIDE;
  app.add_option("words", words, "X0 Y0 W H and the filters")->group("");
  app.add_flag("--all", all, "The whole galaxy: 0 0 16777216 16777216");
  app.add_option("-o,--out", options.out, "The catalogue to write or go on with")
      ->required()
      ->type_name("FILE");
  app.add_option("-t,--threads", options.threads, "Threads on each machine (all cores)")
      ->check(CLI::Range(1, 4096))
      ->type_name("N");
  app.add_flag("-q,--quiet", options.quiet, "No progress bar");
  app.add_option("--tile-side", tileSide, "Cells on a side of a tile (4096)")->type_name("N");
  try {
    const std::string info = parseCommandLine<UsageError>(app, arguments);
    if (!info.empty()) return {std::nullopt, info, ""};
    std::size_t filtersFrom = 0;
    CellRect region{0, 0, WORLD_SIZE, WORLD_SIZE};
    if (!all) {
      if (words.size() < 4) throw UsageError("give the region X0 Y0 W H, or --all");
      region =
          CellRect{readCorner(words[0], "X0"), readCorner(words[1], "Y0"),
                   readSize(words[2], "W", 1, WORLD_SIZE), readSize(words[3], "H", 1, WORLD_SIZE)};
      filtersFrom = 4;
    }
    options.filter =
        readFilter({words.begin() + static_cast<std::ptrdiff_t>(filtersFrom), words.end()});
    if (tileSide < LEAST_TILE_SIDE || tileSide > WORLD_SIZE) {
      throw UsageError("--tile-side takes a whole number from " + std::to_string(LEAST_TILE_SIDE) +
                       " to " + std::to_string(WORLD_SIZE));
    }
    options.plan = TilePlan{region, static_cast<std::int32_t>(tileSide)};
    if (options.plan.tileCount() > MOST_TILES) {
      throw UsageError("tiles of " + std::to_string(tileSide) + " cut the region into more than " +
                       std::to_string(MOST_TILES) + " tiles: give a larger --tile-side");
    }
  } catch (const UsageError& error) {
    return {std::nullopt, "", error.what()};
  }
  return {std::move(options), "", ""};
}

}  // namespace glyphverse
