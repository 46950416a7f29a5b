#include "tools/query/kept_lists.h"

#include <ctime>

#include "base/json_line.h"
#include "base/message_text.h"
#include "display/cp437.h"
#include "keep/place_link.h"

namespace glyphverse {

namespace {

std::string field(const std::string& text) {
  return escapeControlBytes(text);  // a tab in a name never splits a line
}

}  // namespace

std::string isoTime(std::int64_t unixSeconds) {
  const auto seconds = static_cast<std::time_t>(unixSeconds);
  std::tm utc{};
  char text[32] = "";
  if (::gmtime_r(&seconds, &utc) != nullptr)
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &utc);
  return text;
}

std::string bookmarkLines(const std::vector<Bookmark>& bookmarks, bool json) {
  std::string out;
  for (const Bookmark& b : bookmarks) {
    const std::string place = placeText(b.place);
    if (json) {
      out += jsonLine({{"id", b.id},
                       {"place", place},
                       {"link", placeLink(b.place)},
                       {"name", utf8OfCp437Text(b.name)},
                       {"savedAt", isoTime(b.savedAt)}}) +
             "\n";
    } else {
      out += std::to_string(b.id) + "\t" + place + "\t" + placeLink(b.place) + "\t" +
             field(b.name) + "\t" + isoTime(b.savedAt) + "\n";
    }
  }
  return out;
}

std::string visitLines(const std::vector<Visit>& visits, bool json) {
  std::string out;
  for (const Visit& v : visits) {
    if (json) {
      out += jsonLine({{"time", isoTime(v.time)},
                       {"place", placeText(v.place)},
                       {"systemName", utf8OfCp437Text(v.systemName)},
                       {"starCount", v.starCount},
                       {"planetCount", v.planetCount},
                       {"nebIntens", v.nebIntens},
                       {"firstVisit", v.firstVisit}}) +
             "\n";
    } else {
      out += isoTime(v.time) + "\t" + placeText(v.place) + "\t" + field(v.systemName) + "\t" +
             std::to_string(v.starCount) + "\t" + std::to_string(v.planetCount) + "\t" +
             std::to_string(v.nebIntens) + "\t" + (v.firstVisit ? "1" : "0") + "\n";
    }
  }
  return out;
}

}  // namespace glyphverse
