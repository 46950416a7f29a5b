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

// Checks, without writing anything, that the open database is one this
// release can use: readable, not locked past the busy timeout, a database,
// ours (or empty), not newer than SCHEMA_VERSION and sound (quick_check).
// Returns "" or why it cannot be used, naming `path`.
std::string inspectDatabase(Connection& connection, const std::string& path);

// Switches an inspected database to WAL with full syncs and brings its
// layout to SCHEMA_VERSION (making it in a new file). Returns "" or why not.
std::string prepareForWriting(Connection& connection, const std::string& path);

}  // namespace glyphverse
