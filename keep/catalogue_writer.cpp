#include <sys/stat.h>

#include <array>
#include <utility>

#include "keep/catalogue.h"
#include "keep/catalogue_layout.h"

namespace glyphverse {
namespace {

constexpr int BUSY_TIMEOUT_MILLIS = 5000;

// The census rows a batch of tiles adds to, summed first.
bool addCensus(const Connection& connection, const StarCensus& census) {
  Statement update(connection,
                   "UPDATE census SET count = count + ?3 WHERE measure = ?1 AND value = ?2");
  auto add = [&](const char* measure, std::size_t value, std::int64_t count) {
    if (count == 0) return true;
    update.reset();
    const bool done = update.bind(1, std::string(measure))
                          .bind(2, static_cast<std::int64_t>(value))
                          .bind(3, count)
                          .run();
    return done && sqlite3_changes(connection.get()) == 1;
  };
  bool ok = add("cells", 0, census.cells) && add("stars", 0, census.stars);
  for (std::size_t i = 0; ok && i < census.starCount.size(); ++i) {
    ok = add("starCount", i, census.starCount[i]);
  }
  for (std::size_t i = 0; ok && i < census.planetCount.size(); ++i) {
    ok = add("planetCount", i, census.planetCount[i]);
  }
  for (std::size_t i = 0; ok && i < census.nebIntens.size(); ++i) {
    ok = add("nebIntens", i, census.nebIntens[i]);
  }
  return ok;
}

}  // namespace

std::string argumentsText(const HuntArguments& a) {
  return std::to_string(a.region.x) + " " + std::to_string(a.region.y) + " " +
         std::to_string(a.region.width) + " " + std::to_string(a.region.height) +
         (a.filter.empty() ? "" : " " + a.filter) + " (tiles of " + std::to_string(a.tileSide) +
         ")";
}

std::unique_ptr<CatalogueWriter> CatalogueWriter::open(const std::string& path,
                                                       const HuntArguments& arguments,
                                                       std::string& error) {
  auto connection = std::make_unique<Connection>();
  struct stat status {};
  const bool exists = ::stat(path.c_str(), &status) == 0;
  const int flags = SQLITE_OPEN_READWRITE | (exists ? 0 : SQLITE_OPEN_CREATE);
  if (!connection->open(path, flags)) {
    error = sqliteFailure(*connection, path);
    return nullptr;
  }
  sqlite3_busy_timeout(connection->get(), BUSY_TIMEOUT_MILLIS);
  const CatalogueInspection inspection = inspectCatalogue(*connection, path);
  if (!inspection.state) {
    error = inspection.error;
    return nullptr;
  }
  if (*inspection.state == CatalogueState::catalogue) {
    const auto found = readArguments(*connection);
    if (!found) {
      error = sqliteFailure(*connection, path);
      return nullptr;
    }
    if (*found != arguments) {
      error = path + " holds the catalogue of another hunt (" + argumentsText(*found) +
              "): give the same arguments to go on with it, or another --out";
      return nullptr;
    }
  }
  // Every commit is on the disk before the tile counts as done.
  if (connection->readOnly()) {
    error = path + " cannot be written (it is read-only)";
    return nullptr;
  }
  if (!connection->exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL")) {
    error = sqliteFailure(*connection, path);
    return nullptr;
  }
  if (*inspection.state == CatalogueState::empty) {
    if (error = makeCatalogue(*connection, path, arguments); !error.empty()) return nullptr;
  }
  return std::unique_ptr<CatalogueWriter>(new CatalogueWriter(std::move(connection), path));
}

std::string CatalogueWriter::failure(const char* what) const {
  return "cannot " + std::string(what) + " " + path_ + ": " + connection_->message();
}

bool CatalogueWriter::readDoneTiles(std::vector<bool>& done, std::string& error) {
  Statement select(*connection_, "SELECT tile FROM tiles_done");
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    const std::int64_t tile = select.integer(0);
    if (tile >= 0 && static_cast<std::size_t>(tile) < done.size()) {
      done[static_cast<std::size_t>(tile)] = true;
    }
  }
  if (result != SQLITE_DONE) error = failure("read the tiles done in");
  return result == SQLITE_DONE;
}

std::string CatalogueWriter::record(const std::vector<FinishedTile>& tiles) {
  Transaction transaction(*connection_);
  if (!transaction.begun()) return failure("write");
  Statement markDone(*connection_, "INSERT OR IGNORE INTO tiles_done (tile) VALUES (?1)");
  Statement insert(*connection_,
                   "INSERT INTO systems (y, x, star_count, planet_count, neb_color, neb_intens, "
                   "name) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7)");
  StarCensus added;
  for (const FinishedTile& tile : tiles) {
    markDone.reset();
    if (!markDone.bind(1, tile.index).run()) return failure("write");
    if (sqlite3_changes(connection_->get()) == 0) continue;  // recorded by another run
    added.add(tile.outcome.census);
    for (const HuntedSystem& s : tile.outcome.systems) {
      insert.reset();
      if (!insert.bind(1, s.cell.y)
               .bind(2, s.cell.x)
               .bind(3, s.counts.starCount)
               .bind(4, s.counts.planetCount)
               .bind(5, static_cast<std::int64_t>(s.nebColor))
               .bind(6, s.nebIntens)
               .bind(7, s.name)
               .run()) {
        return failure("write");
      }
    }
  }
  if (!addCensus(*connection_, added) || !transaction.commit()) return failure("write");
  return "";
}

bool CatalogueWriter::readTotals(std::int64_t& cells, std::int64_t& stars, std::int64_t& systems,
                                 std::string& error) {
  Statement select(*connection_,
                   "SELECT (SELECT count FROM census WHERE measure = 'cells'), "
                   "(SELECT count FROM census WHERE measure = 'stars'), "
                   "(SELECT count(*) FROM systems)");
  if (select.step() != SQLITE_ROW) {
    error = failure("read");
    return false;
  }
  cells = select.integer(0);
  stars = select.integer(1);
  systems = select.integer(2);
  return true;
}

}  // namespace glyphverse
