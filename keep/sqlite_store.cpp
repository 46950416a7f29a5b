#include "keep/sqlite_store.h"

#include <sys/stat.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>
#include <utility>

#include "keep/sqlite_connection.h"
#include "keep/sqlite_schema.h"

namespace glyphverse {
namespace {

constexpr const char* LAST_PLACE_KEY = "last_place";

class SqliteStore final : public Store {
 public:
  explicit SqliteStore(std::unique_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  Outcome<Bookmark> addBookmark(const Place& place, const std::string& name,
                                std::int64_t savedAt) override;
  Outcome<std::vector<Bookmark>> bookmarks() override;
  Outcome<bool> removeBookmark(std::int64_t id) override;
  Outcome<bool> recordVisit(const VisitRecord& visit) override;
  Outcome<std::vector<Visit>> latestVisits(int limit) override;
  Outcome<bool> saveLastPlace(const Place& place) override;
  Outcome<std::optional<Place>> lastPlace() override;

 private:
  template <typename T>
  Outcome<T> failed(const char* what) const {
    return Outcome<T>::failure(std::string(what) + ": " + connection_->message());
  }
  // Whether an earlier visit went to the same level of the same system.
  std::optional<bool> visitedBefore(const Place& place);

  std::unique_ptr<Connection> connection_;
};

Outcome<Bookmark> SqliteStore::addBookmark(const Place& place, const std::string& name,
                                           std::int64_t savedAt) {
  Transaction transaction(*connection_);
  Statement insert(*connection_,
                   "INSERT INTO bookmarks (place, name, saved_at) VALUES (?1, ?2, ?3)");
  if (!transaction.begun() ||
      !insert.bind(1, placeText(place)).bind(2, name).bind(3, savedAt).run() ||
      !transaction.commit()) {
    return failed<Bookmark>("cannot save the bookmark");
  }
  return Outcome<Bookmark>::success(
      Bookmark{sqlite3_last_insert_rowid(connection_->get()), place, name, savedAt});
}

Outcome<std::vector<Bookmark>> SqliteStore::bookmarks() {
  Statement select(*connection_,
                   "SELECT id, place, name, saved_at FROM bookmarks ORDER BY id DESC");
  std::vector<Bookmark> list;
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    // A place this release cannot read is left out, not guessed at.
    const PlaceReading reading = readPlace(select.text(1));
    if (reading.place) {
      list.push_back(
          Bookmark{select.integer(0), *reading.place, select.text(2), select.integer(3)});
    }
  }
  if (result != SQLITE_DONE) return failed<std::vector<Bookmark>>("cannot read the bookmarks");
  return Outcome<std::vector<Bookmark>>::success(std::move(list));
}

Outcome<bool> SqliteStore::removeBookmark(std::int64_t id) {
  Transaction transaction(*connection_);
  Statement remove(*connection_, "DELETE FROM bookmarks WHERE id = ?1");
  if (!transaction.begun() || !remove.bind(1, id).run()) {
    return failed<bool>("cannot remove the bookmark");
  }
  const bool removed = sqlite3_changes(connection_->get()) > 0;
  if (!transaction.commit()) return failed<bool>("cannot remove the bookmark");
  return Outcome<bool>::success(removed);
}

std::optional<bool> SqliteStore::visitedBefore(const Place& place) {
  Statement earlier(*connection_,
                    "SELECT EXISTS (SELECT 1 FROM visits WHERE view_level = ?1 AND galaxy_x = ?2 "
                    "AND galaxy_y = ?3)");
  earlier.bind(1, place.viewLevel).bind(2, place.galaxy.x).bind(3, place.galaxy.y);
  if (earlier.step() != SQLITE_ROW) return std::nullopt;
  return earlier.integer(0) != 0;
}

Outcome<bool> SqliteStore::recordVisit(const VisitRecord& visit) {
  // The look for an earlier visit and the new one are one transaction, so
  // that of two explorers entering the same system only one is first.
  Transaction transaction(*connection_);
  if (!transaction.begun()) return failed<bool>("cannot log the visit");
  const std::optional<bool> before = visitedBefore(visit.place);
  if (!before) return failed<bool>("cannot log the visit");
  Statement insert(*connection_,
                   "INSERT INTO visits (visited_at, place, view_level, galaxy_x, galaxy_y, "
                   "system_name, star_count, planet_count, neb_intens, first_visit) "
                   "VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)");
  insert.bind(1, visit.time).bind(2, placeText(visit.place)).bind(3, visit.place.viewLevel);
  insert.bind(4, visit.place.galaxy.x).bind(5, visit.place.galaxy.y).bind(6, visit.systemName);
  insert.bind(7, visit.starCount).bind(8, visit.planetCount).bind(9, visit.nebIntens);
  insert.bind(10, *before ? 0 : 1);
  if (!insert.run() || !transaction.commit()) return failed<bool>("cannot log the visit");
  return Outcome<bool>::success(!*before);
}

Outcome<std::vector<Visit>> SqliteStore::latestVisits(int limit) {
  Statement select(*connection_,
                   "SELECT id, visited_at, place, system_name, star_count, planet_count, "
                   "neb_intens, first_visit FROM visits ORDER BY id DESC LIMIT ?1");
  select.bind(1, limit);
  std::vector<Visit> list;
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    const PlaceReading reading = readPlace(select.text(2));
    if (!reading.place) continue;
    Visit visit;
    visit.id = select.integer(0);
    visit.time = select.integer(1);
    visit.place = *reading.place;
    visit.systemName = select.text(3);
    visit.starCount = static_cast<int>(select.integer(4));
    visit.planetCount = static_cast<int>(select.integer(5));
    visit.nebIntens = static_cast<int>(select.integer(6));
    visit.firstVisit = select.integer(7) != 0;
    list.push_back(std::move(visit));
  }
  if (result != SQLITE_DONE) return failed<std::vector<Visit>>("cannot read the log");
  return Outcome<std::vector<Visit>>::success(std::move(list));
}

Outcome<bool> SqliteStore::saveLastPlace(const Place& place) {
  Transaction transaction(*connection_);
  Statement upsert(*connection_,
                   "INSERT INTO settings (key, value) VALUES (?1, ?2) "
                   "ON CONFLICT (key) DO UPDATE SET value = excluded.value");
  if (!transaction.begun() ||
      !upsert.bind(1, std::string(LAST_PLACE_KEY)).bind(2, placeText(place)).run() ||
      !transaction.commit()) {
    return failed<bool>("cannot save where the explorer is");
  }
  return Outcome<bool>::success(true);
}

Outcome<std::optional<Place>> SqliteStore::lastPlace() {
  Statement select(*connection_, "SELECT value FROM settings WHERE key = ?1");
  const int result = select.bind(1, std::string(LAST_PLACE_KEY)).step();
  if (result == SQLITE_DONE) return Outcome<std::optional<Place>>::success(std::nullopt);
  if (result != SQLITE_ROW) return failed<std::optional<Place>>("cannot read the last place");
  const PlaceReading reading = readPlace(select.text(0));
  if (!reading.place) {
    return Outcome<std::optional<Place>>::failure("the last place kept is unreadable: " +
                                                  reading.error);
  }
  return Outcome<std::optional<Place>>::success(reading.place);
}

// A file that cannot be used is closed without the checkpoint that closing
// a WAL database would write into it.
OpenedStore refuse(std::unique_ptr<Connection> connection, std::string reason) {
  if (connection->get() != nullptr) {
    sqlite3_db_config(connection->get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  }
  return OpenedStore{nullptr, std::move(reason)};
}

}  // namespace

namespace {

// One attempt at opening: a store, or why not.
OpenedStore openOnce(const std::string& path, const StoreOptions& options, bool& locked) {
  auto connection = std::make_unique<Connection>();
  const int flags =
      (options.readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
      SQLITE_OPEN_NOMUTEX;
  if (!connection->open(path, flags)) {
    std::string reason = path + " cannot be opened (" + connection->message() + ")";
    return refuse(std::move(connection), std::move(reason));
  }
  sqlite3_busy_timeout(connection->get(), options.busyTimeoutMillis);
  Refusal refusal = inspectDatabase(*connection, path);
  if (!refusal.refused() && !options.readOnly) refusal = prepareForWriting(*connection, path);
  locked = refusal.locked;
  if (refusal.refused()) return refuse(std::move(connection), std::move(refusal.reason));
  return OpenedStore{std::make_unique<SqliteStore>(std::move(connection)), ""};
}

}  // namespace

OpenedStore openSqliteStore(const std::string& path, const StoreOptions& options) {
  struct stat info {};
  if (options.readOnly && ::stat(path.c_str(), &info) != 0 && errno == ENOENT) {
    return OpenedStore{nullptr,
                       path + " does not exist (the explorer makes it when it first runs)"};
  }
  // SQLite answers "busy" at once, without its busy handler, in a few
  // moments of another explorer's: making the layout, switching to WAL,
  // recovering a WAL. Those pass; the whole open is tried again until the
  // busy timeout is over.
  const auto end =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(options.busyTimeoutMillis);
  for (;;) {
    bool locked = false;
    OpenedStore opened = openOnce(path, options, locked);
    if (!locked || std::chrono::steady_clock::now() >= end) return opened;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

OpenedStore openChosenStore(const DatabaseChoice& choice, const StoreOptions& options) {
  if (choice.off) return OpenedStore{};
  if (!choice.error.empty()) return OpenedStore{nullptr, choice.error};
  if (choice.inDataDirectory && !options.readOnly) {
    const std::string folder = choice.path.substr(0, choice.path.rfind('/'));
    if (std::string error = makePrivateDirectories(folder); !error.empty()) {
      return OpenedStore{nullptr, std::move(error)};
    }
  }
  return openSqliteStore(choice.path, options);
}

}  // namespace glyphverse
