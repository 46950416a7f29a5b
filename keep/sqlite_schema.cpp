#include "keep/sqlite_schema.h"

#include <cstdint>
#include <iterator>
#include <optional>

namespace glyphverse {
namespace {

// Places are kept as their text (2/X/Y or LEVEL/GX/GY/X/Y), which later
// releases read back; the visits' level and galaxy cell are columns too, for
// finding earlier visits to the same system. Times are seconds since 1970 UTC.
constexpr const char* LAYOUT_1 = R"(
CREATE TABLE bookmarks (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  place TEXT NOT NULL,
  name TEXT NOT NULL,
  saved_at INTEGER NOT NULL
);
CREATE TABLE visits (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  visited_at INTEGER NOT NULL,
  place TEXT NOT NULL,
  view_level INTEGER NOT NULL,
  galaxy_x INTEGER NOT NULL,
  galaxy_y INTEGER NOT NULL,
  system_name TEXT NOT NULL,
  star_count INTEGER NOT NULL,
  planet_count INTEGER NOT NULL,
  neb_intens INTEGER NOT NULL,
  first_visit INTEGER NOT NULL
);
CREATE INDEX visits_by_system ON visits (view_level, galaxy_x, galaxy_y);
CREATE TABLE settings (
  key TEXT PRIMARY KEY,
  value TEXT NOT NULL
);
)";

// Each step takes a file of the version before it to `version`. A later
// release appends its steps; none is ever changed once released.
struct Migration {
  int version;
  const char* sql;
};
constexpr Migration MIGRATIONS[] = {{1, LAYOUT_1}};
static_assert(MIGRATIONS[std::size(MIGRATIONS) - 1].version == SCHEMA_VERSION);

std::optional<std::int64_t> readNumber(const Connection& connection, const char* sql) {
  Statement statement(connection, sql);
  if (statement.step() != SQLITE_ROW) return std::nullopt;
  return statement.integer(0);
}

std::optional<std::string> readText(const Connection& connection, const char* sql) {
  Statement statement(connection, sql);
  if (statement.step() != SQLITE_ROW) return std::nullopt;
  return statement.text(0);
}

// Why the last statement failed, as a person needs to hear it.
Refusal unusable(const Connection& connection, const std::string& path) {
  switch (connection.failure()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return {path + " is locked by another program", true};
    case SQLITE_NOTADB:
      return {path + " is not a database"};
    case SQLITE_CORRUPT:
      return {path + " is damaged (" + connection.message() + ")"};
    case SQLITE_CANTOPEN:
      return {path + " cannot be opened (" + connection.message() + ")"};
    default:
      return {path + " cannot be used (" + connection.message() + ")"};
  }
}

}  // namespace

Refusal inspectDatabase(Connection& connection, const std::string& path) {
  // One statement, so one snapshot: another explorer may be making the
  // layout at this very moment.
  Statement header(connection,
                   "SELECT application_id, user_version, (SELECT count(*) FROM sqlite_master) "
                   "FROM pragma_application_id, pragma_user_version");
  if (header.step() != SQLITE_ROW) return unusable(connection, path);
  const std::int64_t application = header.integer(0);
  const std::int64_t version = header.integer(1);
  const std::int64_t tables = header.integer(2);
  if (version > SCHEMA_VERSION) {
    return {path + " was written by a newer glyphverse (layout " + std::to_string(version) +
            "; this one reads layouts up to " + std::to_string(SCHEMA_VERSION) + ")"};
  }
  const bool ours = (application == APPLICATION_ID && version >= 1) ||
                    (application == 0 && version == 0 && tables == 0);
  if (!ours) return {path + " is not a glyphverse database"};
  // Reads every page, so that damage is found before anything is written.
  Statement check(connection, "PRAGMA quick_check(1)");
  if (check.step() != SQLITE_ROW) return unusable(connection, path);
  if (const std::string verdict = check.text(0); verdict != "ok") {
    // The first problem, without the heading line above it.
    return {path + " is damaged (" + verdict.substr(verdict.rfind('\n') + 1) + ")"};
  }
  return {};
}

Refusal prepareForWriting(Connection& connection, const std::string& path) {
  if (connection.readOnly()) {
    // Readable but not writable (a read-only file or folder): what is there
    // can be read, and each write says why it fails.
    const auto version = readNumber(connection, "PRAGMA user_version");
    if (version && *version == SCHEMA_VERSION) return {};
    return {path + " cannot be written (it is read-only)"};
  }
  // Every commit is on the disk before it is reported: a crash or a power
  // cut loses nothing that was announced as saved.
  if (!readText(connection, "PRAGMA journal_mode=WAL") ||
      !connection.exec("PRAGMA synchronous=FULL")) {
    return unusable(connection, path);
  }
  Transaction transaction(connection);
  if (!transaction.begun()) return unusable(connection, path);
  // Read again under the write lock: another explorer may have made the
  // layout meanwhile.
  const auto version = readNumber(connection, "PRAGMA user_version");
  if (!version) return unusable(connection, path);
  if (*version == SCHEMA_VERSION) return {};
  for (const Migration& step : MIGRATIONS) {
    if (step.version > *version && !connection.exec(step.sql)) return unusable(connection, path);
  }
  const std::string stamp = "PRAGMA application_id = " + std::to_string(APPLICATION_ID) +
                            "; PRAGMA user_version = " + std::to_string(SCHEMA_VERSION);
  if (!connection.exec(stamp.c_str()) || !transaction.commit()) {
    return unusable(connection, path);
  }
  return {};
}

}  // namespace glyphverse
