#include "tools/query/query.h"

#include <charconv>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <vector>

#include "base/decimal_number.h"
#include "base/message_text.h"
#include "find/find_stars.h"
#include "gen/cells.h"
#include "gen/names.h"
#include "gen/places.h"
#include "gen/star_filter.h"
#include "world/geometry.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

std::vector<std::string_view> splitFields(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  return fields;
}

struct ParseError {
  std::string reason;
};

std::int32_t parseCoordinate(std::string_view field, const char* what) {
  if (!isWholeNumber(field)) throw ParseError{notWholeNumberMessage(what, echoedField(field))};
  const auto value = readWholeNumber(field, INT32_MIN, INT32_MAX);
  if (!value) {
    throw ParseError{std::string(what) + " '" + echoedField(field) +
                     "' is outside the signed 32-bit range"};
  }
  return static_cast<std::int32_t>(*value);
}

double parseSeed(std::string_view field) {
  double value = 0.0;
  const auto [end, error] = readDecimal(field.data(), field.data() + field.size(), value);
  const bool whole = end == field.data() + field.size();
  if (error == std::errc::result_out_of_range && whole) {
    throw ParseError{"SEED '" + echoedField(field) + "' is outside the range of a double"};
  }
  if (error != std::errc() || !whole || !std::isfinite(value)) {
    throw ParseError{"SEED '" + echoedField(field) + "' is not a decimal number"};
  }
  return value;
}

// The star system at a galaxy cell with its own tables in force. The cell is
// brought into the world first, as the explorer's position is: (-1, -1) is
// the system the explorer enters at (16777215, 16777215).
LevelWorld systemAt(std::int32_t x, std::int32_t y) {
  return worldAt(Place{SYSTEM_LEVEL, {wrapCoordinate(x), wrapCoordinate(y)}, {}});
}

template <typename... Values>
std::string joinFields(const Values&... values) {
  std::string out;
  ((out += (out.empty() ? "" : "\t") + std::to_string(values)), ...);
  return out;
}

std::string answerGalaxy(std::int32_t x, std::int32_t y) {
  const NoiseTables& tables = galaxyTables();
  const GlyphCell nebula = nebulaCellAt(tables, x, y);
  const GlyphCell star = starCellAt(tables, x, y);
  return joinFields(+nebula.red, +nebula.green, +nebula.blue, +star.glyph, +star.red,
                    terrainNumber(terrainClassAt(tables, x, y)));
}

std::string answerSystem(std::int32_t x, std::int32_t y) {
  const StarSystem s = systemAt(x, y).system;
  char colour[16];
  std::snprintf(colour, sizeof colour, "%08" PRIX32, s.nebColor);
  char seed[64];
  std::snprintf(seed, sizeof seed, "%.0f", s.seed);
  return std::string(seed) + "\t" + joinFields(s.size, +s.starCount, +s.planetCount, +s.bodyCount) +
         "\t" + colour + "\t" + std::to_string(+s.nebIntens) + "\t" + s.name;
}

// The cell under the explorer at a place, on any level.
std::string answerPlace(std::string_view text) {
  const PlaceReading reading = readPlace(text);
  if (!reading.place) {
    throw ParseError{"PLACE '" + echoedField(text) + "' is not a place: " + reading.error};
  }
  const Place& place = *reading.place;
  const LevelWorld world = worldAt(place);
  const Position here = positionOn(place);
  const CellContent cell = cellAt(world.tables, world.viewLevel, world.system, here.x, here.y);
  return joinFields(+cell.background.red, +cell.background.green, +cell.background.blue,
                    +cell.background.glyph, +cell.foreground.glyph, +cell.foreground.red,
                    terrainNumber(cell.terrain));
}

std::int32_t parseRadius(std::string_view field) {
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || end != field.data() + field.size() || value < 0 ||
      value > MAX_SEARCH_RADIUS) {
    throw ParseError{"RADIUS '" + echoedField(field) + "' is not a whole number from 0 to " +
                     std::to_string(MAX_SEARCH_RADIUS)};
  }
  return value;
}

// "nearest|count X Y RADIUS FILTER...": the search the fields ask for.
SearchRequest parseSearch(const std::vector<std::string_view>& f) {
  if (f.size() < 4) {
    throw ParseError{"'" + std::string(f[0]) + "' takes X Y RADIUS and any filters: " +
                     std::string(f[0]) + " X Y RADIUS [FILTER...]"};
  }
  SearchRequest request;
  request.centre = {wrapCoordinate(parseCoordinate(f[1], "X")),
                    wrapCoordinate(parseCoordinate(f[2], "Y"))};
  request.radius = parseRadius(f[3]);
  std::string filters;
  for (std::size_t i = 4; i < f.size(); ++i) (filters += f[i]) += ' ';
  SearchTermsReading reading = readSearchTerms(filters);
  if (!reading.terms) throw ParseError{"filter " + reading.error};
  if (reading.terms->radiusGiven) {
    throw ParseError{"radius= is not a filter here: RADIUS, the third field, gives the radius"};
  }
  request.filter = std::move(reading.terms->filter);
  return request;
}

std::string answerNearest(const SearchRequest& request) {
  SearchControl control;
  const SearchResult result = findStars(request, control);
  if (result.nearest.empty()) return "none";
  const StarMatch& match = result.nearest.front();
  char distance[32];
  std::snprintf(distance, sizeof distance, "%.2f", match.distance);
  return joinFields(match.cell.x, match.cell.y) + "\t" + distance + "\t" +
         answerSystem(match.cell.x, match.cell.y);
}

std::string answerCount(const SearchRequest& request) {
  SearchControl control;
  return std::to_string(findStars(request, control).matchCount);
}

void expectFields(const std::vector<std::string_view>& fields, std::size_t count,
                  const char* usage) {
  if (fields.size() != count) {
    throw ParseError{"'" + std::string(fields[0]) + "' takes " + std::to_string(count - 1) +
                     " fields: " + usage};
  }
}

std::string answer(const std::vector<std::string_view>& f) {
  const std::string_view word = f[0];
  if (word == "galaxy") {
    expectFields(f, 3, "galaxy X Y");
    return answerGalaxy(parseCoordinate(f[1], "X"), parseCoordinate(f[2], "Y"));
  }
  if (word == "name") {
    expectFields(f, 2, "name SEED");
    return generateName(parseSeed(f[1]));
  }
  if (word == "system") {
    expectFields(f, 3, "system X Y");
    return answerSystem(parseCoordinate(f[1], "X"), parseCoordinate(f[2], "Y"));
  }
  if (word == "sysbg" || word == "planet") {
    expectFields(f, 5, word == "sysbg" ? "sysbg GX GY X Y" : "planet GX GY X Y");
    const std::int32_t gx = parseCoordinate(f[1], "GX");
    const std::int32_t gy = parseCoordinate(f[2], "GY");
    const std::int32_t x = parseCoordinate(f[3], "X");
    const std::int32_t y = parseCoordinate(f[4], "Y");
    const LevelWorld entered = systemAt(gx, gy);
    if (word == "planet")
      return std::to_string(terrainNumber(terrainClassAt(entered.tables, x, y)));
    const GlyphCell cell = systemBackgroundAt(entered.tables, x, y, entered.system);
    return joinFields(+cell.red, +cell.green, +cell.blue, +cell.glyph);
  }
  if (word == "place") {
    expectFields(f, 2, "place PLACE");
    return answerPlace(f[1]);
  }
  if (word == "nearest") return answerNearest(parseSearch(f));
  if (word == "count") return answerCount(parseSearch(f));
  throw ParseError{"unknown query '" + echoedField(word) +
                   "' (expected galaxy, name, system, sysbg, planet, place, nearest or count)"};
}

}  // namespace

bool isQueryLine(std::string_view line) {
  const auto fields = splitFields(line);
  return !fields.empty() && fields[0].front() != '#';
}

QueryAnswer answerQuery(std::string_view line) {
  const auto fields = splitFields(line);
  if (fields.empty()) return QueryAnswer{false, "error: empty query"};
  try {
    return QueryAnswer{true, answer(fields)};
  } catch (const ParseError& error) {
    return QueryAnswer{false, "error: " + error.reason};
  }
}

}  // namespace glyphverse
