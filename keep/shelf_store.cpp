#include "keep/shelf_store.h"

#include <algorithm>
#include <charconv>
#include <functional>

namespace glyphverse {
namespace {

constexpr const char* BOOKMARK_PREFIX = "glyphverse.bookmark.";
constexpr const char* VISIT_PREFIX = "glyphverse.visit.";
constexpr const char* VISITED_PREFIX = "glyphverse.visited.";
constexpr const char* LAST_PLACE_KEY = "glyphverse.lastPlace";

// Fields of a record, tab-separated; a name's tabs and line breaks become spaces.
std::string joined(const std::vector<std::string>& fields) {
  std::string text;
  for (const std::string& field : fields) {
    if (!text.empty()) text += '\t';
    for (const char c : field) text += c == '\t' || c == '\n' || c == '\r' ? ' ' : c;
  }
  return text;
}

std::vector<std::string> fieldsOf(const std::string& text) {
  std::vector<std::string> fields;
  for (std::size_t start = 0;;) {
    const std::size_t tab = text.find('\t', start);
    fields.push_back(text.substr(start, tab == std::string::npos ? tab : tab - start));
    if (tab == std::string::npos) return fields;
    start = tab + 1;
  }
}

std::optional<std::int64_t> numberOf(const std::string& text) {
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

class ShelfStore final : public Store {
 public:
  ShelfStore(Shelf& shelf, std::function<std::int64_t()> newId)
      : shelf_(shelf), newId_(std::move(newId)) {}

  Outcome<SavedBookmark> addBookmark(const Place& place, const std::string& name,
                                     std::int64_t savedAt) override {
    for (Bookmark& kept : allBookmarks()) {
      if (!kept.unreadable.empty() || kept.place != place) continue;
      SavedBookmark existing;
      static_cast<Bookmark&>(existing) = std::move(kept);
      existing.alreadyKept = true;
      return Outcome<SavedBookmark>::success(std::move(existing));
    }
    SavedBookmark saved;
    static_cast<Bookmark&>(saved) = Bookmark{newId_(), place, name, savedAt, ""};
    const std::string error =
        shelf_.write(BOOKMARK_PREFIX + std::to_string(saved.id),
                     joined({std::to_string(savedAt), placeText(place), name}));
    if (!error.empty()) return Outcome<SavedBookmark>::failure(error);
    return Outcome<SavedBookmark>::success(std::move(saved));
  }

  // The page's storage holds what one person bookmarks by hand: reading
  // all of it for a page is quick.
  Outcome<BookmarkPage> bookmarkPage(std::size_t first, std::size_t count) override {
    std::vector<Bookmark> list = allBookmarks();
    BookmarkPage page{list.size(), first, {}};
    for (std::size_t i = first; i < list.size() && i - first < count; ++i) {
      page.rows.push_back(std::move(list[i]));
    }
    return Outcome<BookmarkPage>::success(std::move(page));
  }

  Outcome<bool> removeBookmark(std::int64_t id) override {
    const std::string key = BOOKMARK_PREFIX + std::to_string(id);
    if (!shelf_.read(key)) return Outcome<bool>::success(false);
    shelf_.remove(key);
    return Outcome<bool>::success(true);
  }

  Outcome<bool> recordVisit(const VisitRecord& visit) override {
    const std::string visitedKey = VISITED_PREFIX + std::to_string(visit.place.viewLevel) + "/" +
                                   std::to_string(visit.place.galaxy.x) + "/" +
                                   std::to_string(visit.place.galaxy.y);
    const bool first = !shelf_.read(visitedKey).has_value();
    const std::string error =
        shelf_.write(VISIT_PREFIX + std::to_string(newId_()),
                     joined({std::to_string(visit.time), placeText(visit.place), first ? "1" : "0",
                             std::to_string(visit.starCount), std::to_string(visit.planetCount),
                             std::to_string(visit.nebIntens), visit.systemName}));
    if (!error.empty()) return Outcome<bool>::failure(error);
    if (first) shelf_.write(visitedKey, "1");
    return Outcome<bool>::success(first);
  }

  Outcome<std::vector<Visit>> latestVisits(int limit) override {
    std::vector<Visit> list;
    for (const std::string& key : shelf_.keys(VISIT_PREFIX)) {
      if (auto visit = readVisit(key)) list.push_back(std::move(*visit));
    }
    std::sort(list.begin(), list.end(), [](const Visit& a, const Visit& b) {
      return a.time != b.time ? a.time > b.time : a.id > b.id;
    });
    if (limit >= 0 && list.size() > static_cast<std::size_t>(limit)) list.resize(limit);
    return Outcome<std::vector<Visit>>::success(std::move(list));
  }

  Outcome<bool> saveLastPlace(const Place& place) override {
    const std::string error = shelf_.write(LAST_PLACE_KEY, placeText(place));
    if (!error.empty()) return Outcome<bool>::failure(error);
    return Outcome<bool>::success(true);
  }

  Outcome<std::optional<Place>> lastPlace() override {
    const auto text = shelf_.read(LAST_PLACE_KEY);
    if (!text) return Outcome<std::optional<Place>>::success(std::nullopt);
    const PlaceReading reading = readPlace(*text);
    if (!reading.place) {
      return Outcome<std::optional<Place>>::failure("the last place kept is unreadable: " +
                                                    reading.error);
    }
    return Outcome<std::optional<Place>>::success(reading.place);
  }

 private:
  std::optional<std::int64_t> idOf(const std::string& key, const char* prefix) {
    return numberOf(key.substr(std::string(prefix).size()));
  }

  // Newest first.
  std::vector<Bookmark> allBookmarks() {
    std::vector<Bookmark> list;
    for (const std::string& key : shelf_.keys(BOOKMARK_PREFIX)) {
      if (auto bookmark = readBookmark(key)) list.push_back(std::move(*bookmark));
    }
    std::sort(list.begin(), list.end(), [](const Bookmark& a, const Bookmark& b) {
      return a.savedAt != b.savedAt ? a.savedAt > b.savedAt : a.id > b.id;
    });
    return list;
  }

  // Nothing for a key that is not a bookmark's; a bookmark whose record
  // cannot be read is listed as unreadable, to be removed.
  std::optional<Bookmark> readBookmark(const std::string& key) {
    const auto id = idOf(key, BOOKMARK_PREFIX);
    const auto text = shelf_.read(key);
    if (!id || !text) return std::nullopt;
    const std::vector<std::string> f = fieldsOf(*text);
    const auto savedAt = f.size() == 3 ? numberOf(f[0]) : std::nullopt;
    if (!savedAt)
      return Bookmark{*id, {}, "", 0, unreadablePlace(*text, "not a bookmark's record")};
    const PlaceReading place = readPlace(f[1]);
    if (!place.place) return Bookmark{*id, {}, f[2], *savedAt, unreadablePlace(f[1], place.error)};
    return Bookmark{*id, *place.place, f[2], *savedAt, ""};
  }

  std::optional<Visit> readVisit(const std::string& key) {
    const auto id = idOf(key, VISIT_PREFIX);
    const auto text = shelf_.read(key);
    if (!id || !text) return std::nullopt;
    const std::vector<std::string> f = fieldsOf(*text);
    if (f.size() != 7) return std::nullopt;
    const auto time = numberOf(f[0]);
    const PlaceReading place = readPlace(f[1]);
    const auto stars = numberOf(f[3]);
    const auto planets = numberOf(f[4]);
    const auto intensity = numberOf(f[5]);
    if (!time || !stars || !planets || !intensity) return std::nullopt;
    Visit visit;
    static_cast<VisitRecord&>(visit) = VisitRecord{*time,
                                                   place.place.value_or(Place{}),
                                                   f[6],
                                                   static_cast<int>(*stars),
                                                   static_cast<int>(*planets),
                                                   static_cast<int>(*intensity)};
    visit.id = *id;
    visit.firstVisit = f[2] == "1";
    if (!place.place) visit.unreadable = unreadablePlace(f[1], place.error);
    return visit;
  }

  Shelf& shelf_;
  std::function<std::int64_t()> newId_;
};

}  // namespace

std::unique_ptr<Store> makeShelfStore(Shelf& shelf, std::function<std::int64_t()> newId) {
  return std::make_unique<ShelfStore>(shelf, std::move(newId));
}

}  // namespace glyphverse
