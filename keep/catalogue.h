#pragma once
// A hunt's catalogue, one SQLite file: the hunt's arguments, the tiles done,
// every system that passed the filter and the census of the tiles done. A
// tile's systems and census go in with the tile in one transaction, so the
// file always describes whole tiles. WAL, full syncs, a layout version, and
// a file it cannot use left exactly as it was, with the reason.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "keep/sqlite_connection.h"
#include "world/hunt_records.h"

namespace glyphverse {

// The layout this release writes; PRAGMA application_id "GVHC".
inline constexpr int CATALOGUE_VERSION = 1;
inline constexpr int CATALOGUE_APPLICATION_ID = 0x47564843;

// What makes two hunts the same hunt.
struct HuntArguments {
  CellRect region;
  std::int32_t tileSide = DEFAULT_TILE_SIDE;
  std::string filter;  // as filterText writes it
  friend bool operator==(const HuntArguments&, const HuntArguments&) = default;
};
// "X0 Y0 W H FILTER (tiles of N)", for messages.
std::string argumentsText(const HuntArguments& arguments);

struct FinishedTile {
  std::int64_t index = 0;
  HuntOutcome outcome;
};

class CatalogueWriter {
 public:
  // Opens the catalogue at `path` to go on with the hunt `arguments`, making
  // it when the path holds nothing (or an empty file). Null with the reason
  // when it cannot: another hunt's catalogue, not a catalogue, damaged,
  // newer, unwritable.
  static std::unique_ptr<CatalogueWriter> open(const std::string& path,
                                               const HuntArguments& arguments, std::string& error);

  // Which of the plan's tiles are done; false with the reason in `error` on failure.
  bool readDoneTiles(std::vector<bool>& done, std::string& error);
  // Records the tiles with their systems and census in one transaction.
  // Tiles already recorded (by another run on the same file) are passed over.
  // "" or the reason it failed, the file as before.
  std::string record(const std::vector<FinishedTile>& tiles);
  // Cells, stars and systems of the tiles done.
  bool readTotals(std::int64_t& cells, std::int64_t& stars, std::int64_t& systems,
                  std::string& error);

 private:
  CatalogueWriter(std::unique_ptr<Connection> connection, std::string path)
      : connection_(std::move(connection)), path_(std::move(path)) {}
  std::string failure(const char* what) const;

  std::unique_ptr<Connection> connection_;
  std::string path_;
};

// A catalogue read whole, for listings and the explorer.
struct CatalogueContents {
  HuntArguments arguments;
  std::vector<HuntedSystem> systems;  // by y, then x
  StarCensus census;                  // of the tiles done
  std::int64_t tilesDone = 0;
};
struct CatalogueReading {
  std::unique_ptr<CatalogueContents> contents;
  std::string error;  // why it could not be read
};
// Reads without changing anything; a hunt may be writing meanwhile.
CatalogueReading readCatalogue(const std::string& path);

}  // namespace glyphverse
