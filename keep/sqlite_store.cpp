#include "keep/sqlite_store.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <limits>
#include <thread>
#include <utility>

#include "keep/sqlite_connection.h"
#include "keep/sqlite_schema.h"

namespace glyphverse {
namespace {

constexpr const char* LAST_PLACE_KEY = "last_place";

// SQLite's LIMIT and OFFSET are signed: a count beyond them is "all" (-1),
// an offset beyond them past every row.
constexpr auto MOST_ROWS = static_cast<std::size_t>(std::numeric_limits<std::int64_t>::max());
std::int64_t sqlLimit(std::size_t count) {
  return count > MOST_ROWS ? -1 : static_cast<std::int64_t>(count);
}
std::int64_t sqlOffset(std::size_t first) {
  return static_cast<std::int64_t>(std::min(first, MOST_ROWS));
}

class SqliteStore final : public Store {
 public:
  explicit SqliteStore(std::unique_ptr<Connection> connection)
      : connection_(std::move(connection)) {}

  Outcome<SavedBookmark> addBookmark(const Place& place, const std::string& name,
                                     std::int64_t savedAt) override;
  Outcome<BookmarkPage> bookmarkPage(std::size_t first, std::size_t count) override;
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

// Each failure is read from SQLite before any other statement is prepared:
// preparing one clears the message of the last.
Outcome<SavedBookmark> SqliteStore::addBookmark(const Place& place, const std::string& name,
                                                std::int64_t savedAt) {
  const char* cannot = "cannot save the bookmark";
  Transaction transaction(*connection_);
  if (!transaction.begun()) return failed<SavedBookmark>(cannot);
  const std::string text = placeText(place);
  Statement existing(*connection_,
                     "SELECT id, name, saved_at FROM bookmarks WHERE place = ?1 "
                     "ORDER BY id DESC LIMIT 1");
  const int found = existing.bind(1, text).step();
  if (found == SQLITE_ROW) {
    SavedBookmark kept;
    static_cast<Bookmark&>(kept) =
        Bookmark{existing.integer(0), place, existing.text(1), existing.integer(2), ""};
    kept.alreadyKept = true;
    return Outcome<SavedBookmark>::success(std::move(kept));
  }
  if (found != SQLITE_DONE) return failed<SavedBookmark>(cannot);
  Statement insert(*connection_,
                   "INSERT INTO bookmarks (place, name, saved_at) VALUES (?1, ?2, ?3)");
  if (!insert.bind(1, text).bind(2, name).bind(3, savedAt).run()) {
    return failed<SavedBookmark>(cannot);
  }
  const std::int64_t id = sqlite3_last_insert_rowid(connection_->get());
  if (!transaction.commit()) return failed<SavedBookmark>(cannot);
  SavedBookmark saved;
  static_cast<Bookmark&>(saved) = Bookmark{id, place, name, savedAt, ""};
  return Outcome<SavedBookmark>::success(std::move(saved));
}

Outcome<BookmarkPage> SqliteStore::bookmarkPage(std::size_t first, std::size_t count) {
  const char* cannot = "cannot read the bookmarks";
  // One snapshot for the count and the rows, whatever another explorer adds.
  ReadTransaction snapshot(*connection_);
  if (!snapshot.begun()) return failed<BookmarkPage>(cannot);
  Statement total(*connection_, "SELECT count(*) FROM bookmarks");
  if (total.step() != SQLITE_ROW) return failed<BookmarkPage>(cannot);
  BookmarkPage page;
  page.total = static_cast<std::size_t>(total.integer(0));
  page.first = first;
  Statement select(*connection_,
                   "SELECT id, place, name, saved_at FROM bookmarks ORDER BY id DESC "
                   "LIMIT ?1 OFFSET ?2");
  select.bind(1, sqlLimit(count)).bind(2, sqlOffset(first));
  int result = SQLITE_ROW;
  while ((result = select.step()) == SQLITE_ROW) {
    Bookmark bookmark{select.integer(0), {}, select.text(2), select.integer(3), ""};
    const std::string kept = select.text(1);
    const PlaceReading reading = readPlace(kept);
    if (reading.place) {
      bookmark.place = *reading.place;
    } else {
      bookmark.unreadable = unreadablePlace(kept, reading.error);
    }
    page.rows.push_back(std::move(bookmark));
  }
  if (result != SQLITE_DONE) return failed<BookmarkPage>(cannot);
  return Outcome<BookmarkPage>::success(std::move(page));
}

Outcome<bool> SqliteStore::removeBookmark(std::int64_t id) {
  const char* cannot = "cannot remove the bookmark";
  Transaction transaction(*connection_);
  if (!transaction.begun()) return failed<bool>(cannot);
  Statement remove(*connection_, "DELETE FROM bookmarks WHERE id = ?1");
  if (!remove.bind(1, id).run()) return failed<bool>(cannot);
  const bool removed = sqlite3_changes(connection_->get()) > 0;
  if (!transaction.commit()) return failed<bool>(cannot);
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
    const std::string kept = select.text(2);
    const PlaceReading reading = readPlace(kept);
    Visit visit;
    visit.id = select.integer(0);
    visit.time = select.integer(1);
    if (reading.place) {
      visit.place = *reading.place;
    } else {
      visit.unreadable = unreadablePlace(kept, reading.error);
    }
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
  const char* cannot = "cannot save where the explorer is";
  Transaction transaction(*connection_);
  if (!transaction.begun()) return failed<bool>(cannot);
  Statement upsert(*connection_,
                   "INSERT INTO settings (key, value) VALUES (?1, ?2) "
                   "ON CONFLICT (key) DO UPDATE SET value = excluded.value");
  if (!upsert.bind(1, std::string(LAST_PLACE_KEY)).bind(2, placeText(place)).run() ||
      !transaction.commit()) {
    return failed<bool>(cannot);
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

bool fileHasBytes(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && info.st_size > 0;
}

// A file that cannot be used is left as it was. Closing a WAL database
// folds its WAL into it, so one whose WAL holds anything is closed without
// that; one whose WAL is empty is closed as usual, and SQLite removes the
// WAL and shared-memory files it made for the look, under its own locks,
// where no other program uses them.
OpenedStore refuse(std::unique_ptr<Connection> connection, const std::string& path,
                   std::string reason) {
  if (connection->get() != nullptr && fileHasBytes(path + "-wal")) {
    sqlite3_db_config(connection->get(), SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
  }
  return OpenedStore{nullptr, std::move(reason)};
}

}  // namespace

namespace {

// How one attempt opens the file.
enum class Access {
  asAsked,    // read-write (made when missing), or read-only when asked
  readOnly,   // read-only, through the WAL's files as they are
  immutable,  // read-only, as a file nothing changes (no WAL's files needed)
};

// The file name as an SQLite URI, every byte but the plainest escaped.
std::string uriOf(const std::string& path, const char* query) {
  static constexpr char HEX[] = "0123456789ABCDEF";
  std::string uri = "file:";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') || std::strchr("/-._~", c) != nullptr) {
      uri += c;
    } else {
      uri += {'%', HEX[byte >> 4], HEX[byte & 15]};
    }
  }
  return uri + "?" + query;
}

// One attempt at opening: a store, or why not; `failure` is SQLite's
// primary result code for a refusal.
OpenedStore openOnce(const std::string& path, const StoreOptions& options, Access access,
                     bool& locked, int& failure) {
  auto connection = std::make_unique<Connection>();
  const bool readOnly = options.readOnly || access != Access::asAsked;
  int flags = (readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE) |
              SQLITE_OPEN_NOMUTEX;
  std::string name = path;
  if (access != Access::asAsked) {
    flags |= SQLITE_OPEN_URI;
    name = uriOf(path, access == Access::immutable ? "immutable=1" : "mode=ro");
  }
  if (!connection->open(name, flags)) {
    failure = connection->failure();
    std::string reason = path + " cannot be opened (" + connection->message() + ")";
    return refuse(std::move(connection), path, std::move(reason));
  }
  sqlite3_busy_timeout(connection->get(), options.busyTimeoutMillis);
  Refusal refusal = inspectDatabase(*connection, path);
  // A read-only look at a file opened for the explorer still checks that
  // it has this release's layout.
  if (!refusal.refused() && !options.readOnly) refusal = prepareForWriting(*connection, path);
  locked = refusal.locked;
  if (refusal.refused()) {
    failure = connection->failure();
    return refuse(std::move(connection), path, std::move(refusal.reason));
  }
  return OpenedStore{std::make_unique<SqliteStore>(std::move(connection)), ""};
}

// Opens the file, and where the file and its folder may only be read (so
// that SQLite cannot make the files it reads a WAL database through), opens
// it read-only: what is kept stays readable, and each change says why it
// cannot be made. Immutable only where no WAL holds changes it would miss.
OpenedStore openReadable(const std::string& path, const StoreOptions& options, bool& locked) {
  int failure = SQLITE_OK;
  OpenedStore opened = openOnce(path, options, Access::asAsked, locked, failure);
  if (opened.store || failure != SQLITE_READONLY) return opened;
  for (const Access access : {Access::readOnly, Access::immutable}) {
    if (access == Access::immutable && fileHasBytes(path + "-wal")) break;
    OpenedStore again = openOnce(path, options, access, locked, failure);
    if (again.store) return again;
  }
  return opened;
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
    OpenedStore opened = openReadable(path, options, locked);
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
