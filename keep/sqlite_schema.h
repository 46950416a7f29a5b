#pragma once
// The database's layout and its versions. PRAGMA user_version says which
// layout a file has; a release reads every older one, brings it up to its
// own in one transaction, and refuses a newer one. Nothing is written to a
// file before it has been found to be a sound database of ours.

#include <string>

#include "keep/sqlite_connection.h"

namespace glyphverse {

// The layout this release writes.
inline constexpr int SCHEMA_VERSION = 1;
// PRAGMA application_id of a glyphverse database ("GVDB").
inline constexpr int APPLICATION_ID = 0x47564442;

// Why a database cannot be used, one line naming it; `locked` when another
// program holds it, which may pass.
struct Refusal {
  std::string reason;
  bool locked = false;
  bool refused() const { return !reason.empty(); }
};

// Checks, without writing anything, that the open database is one this
// release can use: readable, not locked past the busy timeout, a database,
// ours (or empty), not newer than SCHEMA_VERSION and sound (quick_check).
Refusal inspectDatabase(Connection& connection, const std::string& path);

// Switches an inspected database to WAL with full syncs and brings its
// layout to SCHEMA_VERSION (making it in a new file).
Refusal prepareForWriting(Connection& connection, const std::string& path);

}  // namespace glyphverse
