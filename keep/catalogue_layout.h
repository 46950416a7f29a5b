#pragma once
// The catalogue's layout and the checks made before a file is used, shared
// by the catalogue's writer and its reader.

#include <optional>
#include <string>

#include "keep/catalogue.h"
#include "keep/sqlite_connection.h"

namespace glyphverse {

// What an inspected file holds.
enum class CatalogueState { empty, catalogue };
struct CatalogueInspection {
  std::optional<CatalogueState> state;
  std::string error;  // why the file cannot be used, naming it
};

// Checks without writing that the open file is empty or a sound catalogue of
// a layout this release reads.
CatalogueInspection inspectCatalogue(Connection& connection, const std::string& path);

// The hunt a catalogue was made for; nothing when it cannot be read.
std::optional<HuntArguments> readArguments(const Connection& connection);

// Makes the layout in an empty file for `arguments`, in one transaction;
// "" or why it failed.
std::string makeCatalogue(Connection& connection, const std::string& path,
                          const HuntArguments& arguments);

// Why the last statement failed, naming the file.
std::string sqliteFailure(const Connection& connection, const std::string& path);

}  // namespace glyphverse
