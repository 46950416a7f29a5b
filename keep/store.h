#pragma once
// What the user keeps between runs: bookmarks, the log of visits and the
// place where the last run ended, behind one small interface. The desktop
// keeps them in SQLite (keep/sqlite_store.h); a store is used by one thread
// at a time (keep/store_worker.h runs one off the frame thread).

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "world/place.h"

namespace glyphverse {

// The result of a store operation: the value, or the reason it failed, one
// line that the explorer can show as it stands.
template <typename T>
struct Outcome {
  std::optional<T> value;
  std::string error;

  bool ok() const { return value.has_value(); }
  static Outcome success(T value) { return Outcome{std::move(value), ""}; }
  static Outcome failure(std::string reason) { return Outcome{std::nullopt, std::move(reason)}; }
};

struct Bookmark {
  std::int64_t id = 0;
  Place place;
  std::string name;
  std::int64_t savedAt = 0;  // seconds since 1970-01-01 UTC
  // Why the place kept for it cannot be read (written by another program,
  // or by a later release), with the text as kept; empty when it can. Such
  // a bookmark is listed, to be seen and removed, but leads nowhere.
  std::string unreadable;
};

// A bookmark as addBookmark left it: the new one, or the one already kept
// for the same place (a place is bookmarked once).
struct SavedBookmark : Bookmark {
  bool alreadyKept = false;
};

// Some of the bookmarks, the newest first: `rows` from position `first` of
// that order, of `total` in all.
struct BookmarkPage {
  std::size_t total = 0;
  std::size_t first = 0;
  std::vector<Bookmark> rows;
};

// A system entered or a planet surface landed on, as the explorer saw it.
struct VisitRecord {
  std::int64_t time = 0;  // seconds since 1970-01-01 UTC
  Place place;
  std::string systemName;
  int starCount = 0;
  int planetCount = 0;
  int nebIntens = 0;
};

struct Visit : VisitRecord {
  std::int64_t id = 0;
  // No earlier visit to this level of the same system: the first time this
  // system was entered, or its planet landed on.
  bool firstVisit = false;
  // Why the place kept for it cannot be read; empty when it can.
  std::string unreadable;
};

class Store {
 public:
  virtual ~Store() = default;

  // Saves a bookmark; the saved record has its id. A place that has a
  // bookmark already keeps that one, which is returned.
  virtual Outcome<SavedBookmark> addBookmark(const Place& place, const std::string& name,
                                             std::int64_t savedAt) = 0;
  // At most `count` bookmarks from position `first` of the newest-first
  // order, and how many there are: a list shows a page at a time, however
  // many are kept.
  virtual Outcome<BookmarkPage> bookmarkPage(std::size_t first, std::size_t count) = 0;
  // Every bookmark, the newest first.
  Outcome<std::vector<Bookmark>> bookmarks();
  // Removes the bookmark `id`; false when there is none by that id.
  virtual Outcome<bool> removeBookmark(std::int64_t id) = 0;

  // Logs a visit; true when it is the first to that system's level.
  virtual Outcome<bool> recordVisit(const VisitRecord& visit) = 0;
  // The latest `limit` visits (all of them for a negative limit), the newest first.
  virtual Outcome<std::vector<Visit>> latestVisits(int limit) = 0;

  // Where the explorer was when it ended, for starting there again.
  virtual Outcome<bool> saveLastPlace(const Place& place) = 0;
  // The place saved last; an empty optional before the first.
  virtual Outcome<std::optional<Place>> lastPlace() = 0;
};

// A store, or the reason there is none: one line that names the file. No
// store and no reason: none was asked for.
struct OpenedStore {
  std::unique_ptr<Store> store;
  std::string error;
};

// Why a place kept as `text` is of no use: `error` and the text itself.
std::string unreadablePlace(const std::string& text, const std::string& error);

// Seconds since 1970-01-01 UTC, for the records' times.
std::int64_t unixSecondsNow();

}  // namespace glyphverse
