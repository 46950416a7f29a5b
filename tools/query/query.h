#pragma once
// Answers one line of the query language of glyphverse-query.

#include <string>
#include <string_view>

namespace glyphverse {

struct QueryAnswer {
  bool ok = true;
  std::string text;  // the fields joined by tabs, or "error: <reason>"
};

// Queries (fields separated by blanks):
//   galaxy X Y        nebula red, green, blue; star glyph and grey; terrain class
//   name SEED         the name for a seed
//   system X Y        the star system at galaxy (X, Y)
//   sysbg GX GY X Y   the system background at (X, Y) of the system at (GX, GY)
//   planet GX GY X Y  the terrain at (X, Y) of the planet of the system at (GX, GY)
//   place PLACE       the cell under the explorer at a place, on any level
//   nearest X Y RADIUS FILTER...
//                     the nearest star within RADIUS cells of galaxy cell (X, Y)
//                     whose system passes the filters: X, Y, distance, and the
//                     system's fields; or "none"
//   count X Y RADIUS FILTER...
//                     how many stars within RADIUS cells pass the filters
// Coordinates are signed 32-bit; galaxy cells wrap into the world as the
// explorer's position does. Each answer is independent of the queries before
// it. Fields echoed in an error are escaped and cut short.
QueryAnswer answerQuery(std::string_view line);

// Blank lines and lines starting with '#' are not queries.
bool isQueryLine(std::string_view line);

}  // namespace glyphverse
