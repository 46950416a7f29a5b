#pragma once
// The store in one SQLite database file: WAL, so that readers never wait
// for a writer and two explorers can share it; full syncs, so that what was
// reported saved survives a crash; a busy timeout for the moments another
// explorer writes; one transaction per change. A file it cannot use (locked,
// unreadable, damaged, not a database, of a newer layout) is left exactly as
// it was, and opening says why.

#include <string>

#include "keep/locations.h"
#include "keep/store.h"

namespace glyphverse {

struct StoreOptions {
  // Read-only opens neither create, change nor convert the file.
  bool readOnly = false;
  // How long a change waits for another explorer's to finish.
  int busyTimeoutMillis = 5000;
};

// Opens the database at `path`, making it when it does not exist (unless
// read-only).
OpenedStore openSqliteStore(const std::string& path, const StoreOptions& options = {});

// Opens the database that `choice` names, first making the data folder when
// it is the default one.
OpenedStore openChosenStore(const DatabaseChoice& choice, const StoreOptions& options = {});

}  // namespace glyphverse
