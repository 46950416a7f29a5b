#include "keep/locations.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace glyphverse {

std::string dataDirectory(const char* xdgDataHome, const char* home) {
  // A relative XDG_DATA_HOME is invalid and to be ignored.
  if (xdgDataHome != nullptr && xdgDataHome[0] == '/') {
    return std::string(xdgDataHome) + "/glyphverse";
  }
  if (home != nullptr && home[0] != '\0') return std::string(home) + "/.local/share/glyphverse";
  return "";
}

DatabaseChoice chooseDatabase(const char* databaseVariable, const char* xdgDataHome,
                              const char* home) {
  DatabaseChoice choice;
  if (databaseVariable != nullptr && databaseVariable[0] != '\0') {
    choice.off = std::strcmp(databaseVariable, NO_DATABASE) == 0;
    if (!choice.off) choice.path = databaseVariable;
    return choice;
  }
  const std::string folder = dataDirectory(xdgDataHome, home);
  if (folder.empty()) {
    choice.error = "no place for the database: neither XDG_DATA_HOME nor HOME is set";
    return choice;
  }
  choice.path = folder + "/" + DATABASE_NAME;
  choice.inDataDirectory = true;
  return choice;
}

DatabaseChoice chooseDatabaseFromEnvironment() {
  return chooseDatabase(std::getenv(DATABASE_VARIABLE), std::getenv("XDG_DATA_HOME"),
                        std::getenv("HOME"));
}

std::string makePrivateDirectories(const std::string& path) {
  for (std::size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
    const std::string folder = path.substr(0, end);
    if (!folder.empty() && ::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
      const int error = errno;
      return "cannot make the folder " + folder + ": " + std::strerror(error);
    }
    if (end == std::string::npos) break;
  }
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
    return "cannot make the folder " + path + ": " + std::strerror(ENOTDIR);
  }
  return "";
}

}  // namespace glyphverse
