#pragma once
// What the explorer kept, as glyphverse-query --bookmarks and --log print
// it: one line per record, the newest first, as tab-separated fields or as
// one JSON object a line.

#include <cstdint>
#include <string>
#include <vector>

#include "keep/store.h"

namespace glyphverse {

// Bookmarks: id, place, link, name, time saved.
std::string bookmarkLines(const std::vector<Bookmark>& bookmarks, bool json);
// Visits: time, place, system name, starCount, planetCount, nebIntens,
// firstVisit (1 or 0).
std::string visitLines(const std::vector<Visit>& visits, bool json);

// 2024-05-06T07:08:09Z for seconds since 1970-01-01 UTC.
std::string isoTime(std::int64_t unixSeconds);

}  // namespace glyphverse
