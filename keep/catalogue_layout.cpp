#include "keep/catalogue_layout.h"

#include <cstdint>

namespace glyphverse {
namespace {

// Systems are kept by their galaxy cell, y first, so that a listing comes out
// in the catalogue's order without sorting. The census has a row for every
// value of every measure from the start: recording a tile only adds.
constexpr const char* LAYOUT_1 = R"(
CREATE TABLE hunt (
  region_x INTEGER NOT NULL,
  region_y INTEGER NOT NULL,
  width INTEGER NOT NULL,
  height INTEGER NOT NULL,
  tile_side INTEGER NOT NULL,
  filter TEXT NOT NULL
);
CREATE TABLE tiles_done (tile INTEGER PRIMARY KEY);
CREATE TABLE systems (
  y INTEGER NOT NULL,
  x INTEGER NOT NULL,
  star_count INTEGER NOT NULL,
  planet_count INTEGER NOT NULL,
  neb_color INTEGER NOT NULL,
  neb_intens INTEGER NOT NULL,
  name TEXT NOT NULL,
  PRIMARY KEY (y, x)
) WITHOUT ROWID;
CREATE TABLE census (
  measure TEXT NOT NULL,
  value INTEGER NOT NULL,
  count INTEGER NOT NULL,
  PRIMARY KEY (measure, value)
) WITHOUT ROWID;
WITH RECURSIVE n(v) AS (SELECT 0 UNION ALL SELECT v + 1 FROM n WHERE v < 255)
INSERT INTO census (measure, value, count)
  SELECT 'cells', 0, 0 UNION ALL SELECT 'stars', 0, 0
  UNION ALL SELECT 'starCount', v, 0 FROM n WHERE v <= 5
  UNION ALL SELECT 'planetCount', v, 0 FROM n WHERE v <= 10
  UNION ALL SELECT 'nebIntens', v, 0 FROM n;
)";

}  // namespace

std::string sqliteFailure(const Connection& connection, const std::string& path) {
  switch (connection.failure()) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
      return path + " is locked by another program";
    case SQLITE_NOTADB:
      return path + " is not a database";
    case SQLITE_CORRUPT:
      return path + " is damaged (" + connection.message() + ")";
    case SQLITE_CANTOPEN:
      return path + " cannot be opened (" + connection.message() + ")";
    default:
      return path + " cannot be used (" + connection.message() + ")";
  }
}

CatalogueInspection inspectCatalogue(Connection& connection, const std::string& path) {
  Statement header(connection,
                   "SELECT application_id, user_version, (SELECT count(*) FROM sqlite_master) "
                   "FROM pragma_application_id, pragma_user_version");
  if (header.step() != SQLITE_ROW) return {std::nullopt, sqliteFailure(connection, path)};
  const std::int64_t application = header.integer(0);
  const std::int64_t version = header.integer(1);
  if (application == 0 && version == 0 && header.integer(2) == 0) {
    return {CatalogueState::empty, ""};
  }
  if (application != CATALOGUE_APPLICATION_ID || version < 1) {
    return {std::nullopt, path + " is not a glyphverse catalogue"};
  }
  if (version > CATALOGUE_VERSION) {
    return {std::nullopt, path + " was written by a newer glyphverse (layout " +
                              std::to_string(version) + "; this one reads layouts up to " +
                              std::to_string(CATALOGUE_VERSION) + ")"};
  }
  // Reads every page, so that damage is found before anything is written.
  Statement check(connection, "PRAGMA quick_check(1)");
  if (check.step() != SQLITE_ROW) return {std::nullopt, sqliteFailure(connection, path)};
  if (const std::string verdict = check.text(0); verdict != "ok") {
    return {std::nullopt, path + " is damaged (" + verdict.substr(verdict.rfind('\n') + 1) + ")"};
  }
  return {CatalogueState::catalogue, ""};
}

std::optional<HuntArguments> readArguments(const Connection& connection) {
  Statement select(connection,
                   "SELECT region_x, region_y, width, height, tile_side, filter FROM hunt");
  if (select.step() != SQLITE_ROW) return std::nullopt;
  HuntArguments arguments;
  arguments.region =
      CellRect{static_cast<std::int32_t>(select.integer(0)),
               static_cast<std::int32_t>(select.integer(1)), select.integer(2), select.integer(3)};
  arguments.tileSide = static_cast<std::int32_t>(select.integer(4));
  arguments.filter = select.text(5);
  return arguments;
}

std::string makeCatalogue(Connection& connection, const std::string& path,
                          const HuntArguments& arguments) {
  Transaction transaction(connection);
  if (!transaction.begun() || !connection.exec(LAYOUT_1)) return sqliteFailure(connection, path);
  Statement insert(connection,
                   "INSERT INTO hunt (region_x, region_y, width, height, tile_side, filter) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
  const CellRect& r = arguments.region;
  if (!insert.bind(1, r.x)
           .bind(2, r.y)
           .bind(3, r.width)
           .bind(4, r.height)
           .bind(5, arguments.tileSide)
           .bind(6, arguments.filter)
           .run()) {
    return sqliteFailure(connection, path);
  }
  const std::string stamp = "PRAGMA application_id = " + std::to_string(CATALOGUE_APPLICATION_ID) +
                            "; PRAGMA user_version = " + std::to_string(CATALOGUE_VERSION);
  if (!connection.exec(stamp.c_str()) || !transaction.commit()) {
    return sqliteFailure(connection, path);
  }
  return "";
}

}  // namespace glyphverse
