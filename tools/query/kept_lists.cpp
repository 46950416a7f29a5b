#include "tools/query/kept_lists.h"

#include <cstdio>
#include <ctime>

#include "base/message_text.h"
#include "display/cp437.h"
#include "keep/place_link.h"

namespace glyphverse {

std::string jsonString(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    const auto code = static_cast<std::uint8_t>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (code < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", code);
      out += escaped;
    } else {
      appendUtf8(out, code < 0x80 ? static_cast<char32_t>(code) : cp437ToUnicode(code));
    }
  }
  return out + "\"";
}

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
      out += "{\"id\":" + std::to_string(b.id) + ",\"place\":\"" + place + "\",\"link\":\"" +
             placeLink(b.place) + "\",\"name\":" + jsonString(b.name) + ",\"savedAt\":\"" +
             isoTime(b.savedAt) + "\"}\n";
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
    const std::string counts[] = {std::to_string(v.starCount), std::to_string(v.planetCount),
                                  std::to_string(v.nebIntens)};
    if (json) {
      out += "{\"time\":\"" + isoTime(v.time) + "\",\"place\":\"" + placeText(v.place) +
             "\",\"systemName\":" + jsonString(v.systemName) + ",\"starCount\":" + counts[0] +
             ",\"planetCount\":" + counts[1] + ",\"nebIntens\":" + counts[2] +
             ",\"firstVisit\":" + (v.firstVisit ? "true" : "false") + "}\n";
    } else {
      out += isoTime(v.time) + "\t" + placeText(v.place) + "\t" + field(v.systemName) + "\t" +
             counts[0] + "\t" + counts[1] + "\t" + counts[2] + "\t" + (v.firstVisit ? "1" : "0") +
             "\n";
    }
  }
  return out;
}

}  // namespace glyphverse
