#pragma once
// Where the user's data lives: $XDG_DATA_HOME/glyphverse, by default
// ~/.local/share/glyphverse, with the database glyphverse.db in it.
// GLYPHVERSE_DATABASE names another database file, or "none" for none.

#include <string>

namespace glyphverse {

inline constexpr const char* DATABASE_VARIABLE = "GLYPHVERSE_DATABASE";
inline constexpr const char* NO_DATABASE = "none";
inline constexpr const char* DATABASE_NAME = "glyphverse.db";

// The data folder: $XDG_DATA_HOME/glyphverse when XDG_DATA_HOME is an
// absolute path, else $HOME/.local/share/glyphverse; "" without either.
std::string dataDirectory(const char* xdgDataHome, const char* home);

// The database to use. `off` with an empty path: none was asked for
// (GLYPHVERSE_DATABASE=none); a path with `inDataDirectory`: the default
// one, whose folder may have to be made.
struct DatabaseChoice {
  std::string path;
  bool off = false;
  bool inDataDirectory = false;
  std::string error;  // no path could be found
};
DatabaseChoice chooseDatabase(const char* databaseVariable, const char* xdgDataHome,
                              const char* home);
// The same, from this process's environment.
DatabaseChoice chooseDatabaseFromEnvironment();

// Makes `path` and any missing folders above it, each new one readable by
// the user alone (0700); existing ones are left as they are. Returns "" or
// the reason it failed.
std::string makePrivateDirectories(const std::string& path);

}  // namespace glyphverse
