// glyphverse-hunt: a census and catalogue of any region of the galaxy, on
// every core of one machine or on many through MPI, resumable. --help tells
// the whole story.

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "base/message_text.h"
#include "keep/catalogue.h"
#include "tools/hunt/hunt_options.h"
#include "tools/hunt/hunt_run.h"
#include "tools/hunt/ranks.h"

namespace {

using namespace glyphverse;

constexpr const char* PROGRAM = "glyphverse-hunt";
constexpr int WRITE_FAILED = 1;
constexpr int USAGE_OR_REFUSED = 2;

void complain(const std::string& message) {
  std::fprintf(stderr, "%s: %s\n", PROGRAM, escapeControlBytes(message).c_str());
}

// The region's cells, stars and matches, once every tile is recorded.
int printTotals(CatalogueWriter& writer) {
  std::int64_t cells = 0, stars = 0, systems = 0;
  std::string error;
  if (!writer.readTotals(cells, stars, systems, error)) {
    complain(error);
    return WRITE_FAILED;
  }
  const std::string line =
      std::to_string(cells) + "\t" + std::to_string(stars) + "\t" + std::to_string(systems) + "\n";
  if (std::fputs(line.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
    complain("cannot write to standard output");
    return WRITE_FAILED;
  }
  return 0;
}

int run(int argc, char** argv) {
  Ranks ranks(argc, argv);
  const HuntOptionsReading reading =
      readHuntOptions(std::vector<std::string>(argv + 1, argv + argc));
  if (!reading.options) {
    if (ranks.rank() != 0) return reading.info.empty() ? USAGE_OR_REFUSED : 0;
    if (!reading.info.empty()) {
      std::fputs(reading.info.c_str(), stdout);
      return 0;
    }
    complain(reading.error);
    std::fprintf(stderr, "Run '%s --help' for the arguments.\n", PROGRAM);
    return USAGE_OR_REFUSED;
  }
  const HuntOptions& options = *reading.options;
  const HuntSetup setup{options.plan, options.filter, options.threads, !options.quiet};
  if (ranks.rank() != 0) {
    computeGivenTiles(setup, ranks);
    return 0;
  }
  const HuntArguments arguments{options.plan.region, options.plan.side, filterText(options.filter)};
  std::string error;
  auto writer = CatalogueWriter::open(options.out, arguments, error);
  if (!writer) {
    coordinateHunt(setup, nullptr, ranks);  // lets the other ranks go
    complain(error);
    return USAGE_OR_REFUSED;
  }
  if (error = coordinateHunt(setup, writer.get(), ranks); !error.empty()) {
    complain(error);
    return WRITE_FAILED;
  }
  return printTotals(*writer);
}

}  // namespace

int main(int argc, char** argv) {
  try {
    return run(argc, argv);
  } catch (const std::exception& error) {  // out of memory, for one
    complain(error.what());
    return WRITE_FAILED;
  }
}
