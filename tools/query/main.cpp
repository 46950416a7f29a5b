// glyphverse-query: a command-line window onto the universe. Answers the query
// given as arguments, or the queries on standard input, one a line; one
// tab-separated answer line per query; or prints what the explorer kept
// (--bookmarks, --log). --help lists the queries.

#include <unistd.h>

#include <CLI/CLI.hpp>

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "base/help_formatter.h"
#include "base/message_text.h"
#include "base/version.h"
#include "tools/query/query.h"
#include "tools/query/query_stream.h"
#if GLYPHVERSE_QUERY_READS_DATABASE
#include "keep/sqlite_store.h"
#include "tools/query/kept_lists.h"
#endif
#if GLYPHVERSE_QUERY_READS_CATALOGUE
#include "keep/catalogue.h"
#include "tools/query/catalogue_lists.h"
#endif

namespace {

constexpr const char* PROGRAM = "glyphverse-query";
constexpr int MALFORMED_QUERY = 1;
constexpr int USAGE_OR_IO_ERROR = 2;

constexpr const char* DESCRIPTION =
    "Answers questions about the glyphverse universe: the query given as arguments,\n"
    "or else the queries on standard input, one a line. Each answer is one line of\n"
    "tab-separated fields; a malformed query is answered with 'error: ...'. With\n"
    "--bookmarks or --log it prints what the explorer kept instead.";

constexpr const char* FOOTER =
    R"(Queries (any 32-bit integers as coordinates; they wrap as the explorer's do):
  galaxy X Y        the galaxy cell at (X, Y):
                      nebula red, green, blue (0-255); star glyph (0 for none,
                      249, 42 or 15); star grey (0-255); terrain class (1-6)
  system X Y        the star system at galaxy cell (X, Y):
                      seed, size, starCount, planetCount, bodyCount,
                      nebColor (AARRGGBB), nebIntens (0-255), name
  sysbg GX GY X Y   the background at (X, Y) of the system at galaxy cell (GX, GY):
                      red, green, blue, glyph
  planet GX GY X Y  the terrain class at (X, Y) on the planet of that system:
                      1 water, 2 plain, 3 forest, 4 hills, 5 mountains, 6 grass
  name SEED         the name that the seed (a decimal number) gives
  place PLACE       the cell the explorer stands on at a place (2/X/Y on the
                    galaxy, LEVEL/GX/GY/X/Y below it, as glyphverse-snapshot
                    --start takes it): background red, green, blue, glyph;
                    foreground glyph, grey; terrain class (0 for none)
  nearest X Y RADIUS [FILTER...]
                    the nearest star within RADIUS cells (0-10000) of galaxy cell
                    (X, Y) whose system passes every filter: its X, Y, distance
                    (two decimals), then the columns of 'system'; or 'none'.
                    At equal distances the smaller Y, then the smaller X, wins
  count X Y RADIUS [FILTER...]
                    how many stars within RADIUS cells pass every filter

Filters (a star is a galaxy cell with a star glyph; its system is the one
'system' describes):
  bright>=N bright<=N bright=N     nebIntens, 0-255
  planets>=N planets<=N planets=N  planetCount, 0-10
  stars>=N stars<=N stars=N        starCount, 0-5
  name=TEXT                        TEXT (letters, digits) is part of the name,
                                   in any case

What the explorer kept, read only (an explorer may be writing meanwhile):
  --bookmarks       id, place, link, name, time saved (UTC), the newest first
  --log             the systems entered and planets landed on: time (UTC),
                    place, system name, starCount, planetCount, nebIntens,
                    firstVisit (1 for the first visit there, else 0), the
                    newest first
  --json            with either, or with --catalogue: one JSON object a line
                    instead
  --database FILE   read FILE instead of $GLYPHVERSE_DATABASE or else
                    $XDG_DATA_HOME/glyphverse/glyphverse.db
                    (~/.local/share/glyphverse/glyphverse.db)

A hunt's catalogue (written by glyphverse-hunt), read only:
  --catalogue FILE  the systems found, by Y and then X: X, Y, then the columns
                    of 'system'
  --census          with --catalogue: how many stars of the tiles done have
                    each value, every value a line: starCount K N (K = 0-5),
                    planetCount K N (0-10), nebIntens K N (0-255)

On standard input, blank lines and lines starting with '#' are skipped, and a
line longer than 1 MiB is answered with an error. Answers are written as soon
as no more input is waiting, so the tool can be driven line by line.

Exit status: 0 when every query was answered, 1 when a query was malformed,
2 for a bad option, when reading or writing failed, or when the database
or the catalogue cannot be read.)";

int printInfo(const std::string& text) {
  if (const std::string error = glyphverse::writeAllTo(STDOUT_FILENO, text); !error.empty()) {
    std::fprintf(stderr, "%s: cannot write to standard output: %s\n", PROGRAM, error.c_str());
    return USAGE_OR_IO_ERROR;
  }
  return 0;
}

int answerArguments(const std::vector<std::string>& words) {
  std::string query;
  for (const std::string& word : words) query += (query.empty() ? "" : " ") + word;
  const glyphverse::QueryAnswer answer = glyphverse::answerQuery(query);
  if (const std::string error = glyphverse::writeAllTo(STDOUT_FILENO, answer.text + "\n");
      !error.empty()) {
    std::fprintf(stderr, "%s: cannot write the answer: %s\n", PROGRAM, error.c_str());
    return USAGE_OR_IO_ERROR;
  }
  return answer.ok ? 0 : MALFORMED_QUERY;
}

int answerStandardInput() {
  const glyphverse::StreamOutcome outcome =
      glyphverse::answerQueryStream(STDIN_FILENO, STDOUT_FILENO);
  if (!outcome.ioError.empty()) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, outcome.ioError.c_str());
    return USAGE_OR_IO_ERROR;
  }
  return outcome.allQueriesOk ? 0 : MALFORMED_QUERY;
}

// What the explorer kept, printed whole.
struct KeptRequest {
  bool bookmarks = false;
  bool log = false;
  bool json = false;
  std::string database;
  std::string catalogue;
  bool census = false;
};

int printCatalogue(const KeptRequest& request) {
#if GLYPHVERSE_QUERY_READS_CATALOGUE
  using namespace glyphverse;
  const CatalogueReading reading = readCatalogue(request.catalogue);
  if (!reading.contents) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, escapeControlBytes(reading.error).c_str());
    return USAGE_OR_IO_ERROR;
  }
  return printInfo(request.census ? censusLines(reading.contents->census, request.json)
                                  : catalogueLines(reading.contents->systems, request.json));
#else
  (void)request;
  std::fprintf(stderr, "%s: this build cannot read catalogues (it has no SQLite)\n", PROGRAM);
  return USAGE_OR_IO_ERROR;
#endif
}

int printKept(const KeptRequest& request) {
#if GLYPHVERSE_QUERY_READS_DATABASE
  using namespace glyphverse;
  const DatabaseChoice choice = request.database.empty()
                                    ? chooseDatabaseFromEnvironment()
                                    : DatabaseChoice{request.database, false, false, ""};
  if (choice.off) {
    std::fprintf(stderr, "%s: GLYPHVERSE_DATABASE is none: there is no database to read\n",
                 PROGRAM);
    return USAGE_OR_IO_ERROR;
  }
  const OpenedStore opened = openChosenStore(choice, StoreOptions{true, 5000});
  std::string text;
  std::string error = opened.error;
  // Rows whose place cannot be read are not printed as places; each is said.
  std::vector<std::string> unreadable;
  const auto sayUnreadable = [&](const char* what, std::int64_t id, const std::string& why) {
    if (!why.empty())
      unreadable.push_back(std::string(what) + " " + std::to_string(id) + ": " + why);
    return why.empty();
  };
  if (opened.store && request.bookmarks) {
    auto list = opened.store->bookmarks();
    if (list.ok()) {
      std::erase_if(*list.value, [&](const Bookmark& b) {
        return !sayUnreadable("bookmark", b.id, b.unreadable);
      });
      text = bookmarkLines(*list.value, request.json);
    }
    error = list.error;
  } else if (opened.store) {
    auto list = opened.store->latestVisits(-1);
    if (list.ok()) {
      std::erase_if(*list.value,
                    [&](const Visit& v) { return !sayUnreadable("visit", v.id, v.unreadable); });
      text = visitLines(*list.value, request.json);
    }
    error = list.error;
  }
  if (!error.empty()) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, escapeControlBytes(error).c_str());
    return USAGE_OR_IO_ERROR;
  }
  const int printed = printInfo(text);
  for (const std::string& line : unreadable) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, escapeControlBytes(line).c_str());
  }
  return unreadable.empty() ? printed : USAGE_OR_IO_ERROR;
#else
  (void)request;
  std::fprintf(stderr, "%s: this build cannot read the database (it has no SQLite)\n", PROGRAM);
  return USAGE_OR_IO_ERROR;
#endif
}

// The words after the options: a query, or none to read standard input.
int answerWords(std::vector<std::string> words) {
  if (!words.empty() && words.front() == "--") {
    words.erase(words.begin());
  } else if (!words.empty() && words.front().size() > 1 && words.front()[0] == '-') {
    std::fprintf(stderr, "%s: unknown option '%s'\nRun '%s --help' for the queries.\n", PROGRAM,
                 glyphverse::echoedField(words.front()).c_str(), PROGRAM);
    return USAGE_OR_IO_ERROR;
  }
  return words.empty() ? answerStandardInput() : answerArguments(words);
}

// Why the options for what the explorer kept do not go together; null when they do.
const char* misusedKeptOptions(const KeptRequest& kept, bool noQuery) {
  const bool catalogue = !kept.catalogue.empty();
  if (kept.census && !catalogue) return "--census goes with --catalogue";
  if (catalogue && (kept.bookmarks || kept.log || !kept.database.empty())) {
    return "--catalogue is printed alone, without --bookmarks, --log or --database";
  }
  if (catalogue && !noQuery) return "--catalogue takes no query";
  if (catalogue) return nullptr;
  if (kept.bookmarks && kept.log) return "--bookmarks and --log are printed one at a time";
  if ((kept.bookmarks || kept.log) && !noQuery) return "--bookmarks and --log take no query";
  if (!kept.bookmarks && !kept.log && (kept.json || !kept.database.empty())) {
    return "--json and --database go with --bookmarks or --log";
  }
  return nullptr;
}

int run(int argc, char** argv) {
  CLI::App app("", PROGRAM);
  app.formatter(std::make_shared<glyphverse::HelpFormatter>(
      std::string(PROGRAM) + " [--help] [--version] [QUERY FIELD...]\n       " + PROGRAM +
          " --bookmarks | --log [--json] [--database FILE]\n       " + PROGRAM +
          " --catalogue FILE [--census] [--json]",
      DESCRIPTION));
  app.footer(FOOTER);
  app.set_version_flag("--version", std::string(PROGRAM) + " " + glyphverse::projectVersion());
  KeptRequest kept;
  // Described in the footer, with the queries.
  app.add_flag("--bookmarks", kept.bookmarks)->group("");
  app.add_flag("--log", kept.log)->group("");
  app.add_flag("--json", kept.json)->group("");
  app.add_option("--database", kept.database)->group("");
  app.add_option("--catalogue", kept.catalogue)->group("");
  app.add_flag("--census", kept.census)->group("");
  // Everything from the first query word on is the query, so that negative
  // coordinates are not taken for options.
  app.prefix_command();
  std::string info;
  try {
    info = glyphverse::parseCommandLine<std::runtime_error>(
        app, std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::runtime_error& error) {
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.what());
    return USAGE_OR_IO_ERROR;
  }
  if (!info.empty()) return printInfo(info);
  if (const char* wrong = misusedKeptOptions(kept, app.remaining().empty())) {
    std::fprintf(stderr, "%s: %s\nRun '%s --help' for the options.\n", PROGRAM, wrong, PROGRAM);
    return USAGE_OR_IO_ERROR;
  }
  if (!kept.catalogue.empty()) return printCatalogue(kept);
  if (kept.bookmarks || kept.log) return printKept(kept);
  return answerWords(app.remaining());
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {  // out of memory, for one
    std::fprintf(stderr, "%s: %s\n", PROGRAM, error.what());
    return USAGE_OR_IO_ERROR;
  }
}
