#include <string_view>

#include "keep/catalogue.h"
#include "keep/catalogue_layout.h"

namespace glyphverse {
namespace {

constexpr int BUSY_TIMEOUT_MILLIS = 5000;

bool readSystems(const Connection& connection, std::vector<HuntedSystem>& systems) {
  Statement select(connection,
                   "SELECT x, y, star_count, planet_count, neb_color, neb_intens, name "
                   "FROM systems ORDER BY y, x");
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    systems.push_back(HuntedSystem{
        {static_cast<std::int32_t>(select.integer(0)),
         static_cast<std::int32_t>(select.integer(1))},
        {static_cast<std::int8_t>(select.integer(2)), static_cast<std::int8_t>(select.integer(3))},
        static_cast<std::uint32_t>(select.integer(4)),
        static_cast<std::uint8_t>(select.integer(5)),
        select.text(6)});
  }
  return result == SQLITE_DONE;
}

// Values outside a measure's range (a file changed by hand) are left out.
template <std::size_t N>
void countInto(std::array<std::int64_t, N>& counts, std::int64_t value, std::int64_t count) {
  if (value >= 0 && static_cast<std::size_t>(value) < N)
    counts[static_cast<std::size_t>(value)] = count;
}

bool readCensus(const Connection& connection, StarCensus& census) {
  Statement select(connection, "SELECT measure, value, count FROM census");
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    const std::string measure = select.text(0);
    const std::int64_t value = select.integer(1);
    const std::int64_t count = select.integer(2);
    if (measure == "cells") census.cells = count;
    if (measure == "stars") census.stars = count;
    if (measure == "starCount") countInto(census.starCount, value, count);
    if (measure == "planetCount") countInto(census.planetCount, value, count);
    if (measure == "nebIntens") countInto(census.nebIntens, value, count);
  }
  return result == SQLITE_DONE;
}

}  // namespace

CatalogueReading readCatalogue(const std::string& path) {
  Connection connection;
  if (!connection.open(path, SQLITE_OPEN_READONLY))
    return {nullptr, sqliteFailure(connection, path)};
  sqlite3_busy_timeout(connection.get(), BUSY_TIMEOUT_MILLIS);
  const CatalogueInspection inspection = inspectCatalogue(connection, path);
  if (!inspection.state) return {nullptr, inspection.error};
  if (*inspection.state == CatalogueState::empty) {
    return {nullptr, path + " is not a glyphverse catalogue"};
  }
  auto contents = std::make_unique<CatalogueContents>();
  // One read transaction: systems and census of the same tiles, even while
  // a hunt records more.
  const ReadTransaction snapshot(connection);
  if (!snapshot.begun()) return {nullptr, sqliteFailure(connection, path)};
  const auto arguments = readArguments(connection);
  Statement tiles(connection, "SELECT count(*) FROM tiles_done");
  if (!arguments || tiles.step() != SQLITE_ROW || !readSystems(connection, contents->systems) ||
      !readCensus(connection, contents->census)) {
    return {nullptr, sqliteFailure(connection, path)};
  }
  contents->arguments = *arguments;
  contents->tilesDone = tiles.integer(0);
  return {std::move(contents), ""};
}

}  // namespace glyphverse
