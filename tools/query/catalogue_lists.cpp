#include "tools/query/catalogue_lists.h"

#include <cinttypes>
#include <cstdio>

#include "base/message_text.h"
#include "gen/cell_rules.h"
#include "tools/query/kept_lists.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

template <std::size_t N>
void appendMeasure(std::string& out, const char* measure, const std::array<std::int64_t, N>& counts,
                   bool json) {
  for (std::size_t k = 0; k < N; ++k) {
    const std::string value = std::to_string(k);
    const std::string count = std::to_string(counts[k]);
    if (json) {
      out += "{\"measure\":\"" + std::string(measure) + "\",\"value\":" + value +
             ",\"count\":" + count + "}\n";
    } else {
      out += std::string(measure) + "\t" + value + "\t" + count + "\n";
    }
  }
}

}  // namespace

std::string catalogueLines(const std::vector<HuntedSystem>& systems, bool json) {
  std::string out;
  for (const HuntedSystem& s : systems) {
    char seed[64];
    std::snprintf(seed, sizeof seed, "%.0f", cellSeed(s.cell.x, s.cell.y));
    char colour[16];
    std::snprintf(colour, sizeof colour, "%08" PRIX32, s.nebColor);
    const std::string fields[] = {std::to_string(s.cell.x),
                                  std::to_string(s.cell.y),
                                  seed,
                                  std::to_string(SYSTEM_BACKGROUND_SIZE),
                                  std::to_string(s.counts.starCount),
                                  std::to_string(s.counts.planetCount),
                                  std::to_string(s.counts.starCount + s.counts.planetCount),
                                  colour,
                                  std::to_string(s.nebIntens)};
    if (json) {
      out += "{\"x\":" + fields[0] + ",\"y\":" + fields[1] + ",\"seed\":" + fields[2] +
             ",\"size\":" + fields[3] + ",\"starCount\":" + fields[4] +
             ",\"planetCount\":" + fields[5] + ",\"bodyCount\":" + fields[6] + ",\"nebColor\":\"" +
             fields[7] + "\",\"nebIntens\":" + fields[8] + ",\"name\":" + jsonString(s.name) +
             "}\n";
    } else {
      for (const std::string& field : fields) out += field + "\t";
      out += escapeControlBytes(s.name) + "\n";
    }
  }
  return out;
}

std::string censusLines(const StarCensus& census, bool json) {
  std::string out;
  appendMeasure(out, "starCount", census.starCount, json);
  appendMeasure(out, "planetCount", census.planetCount, json);
  appendMeasure(out, "nebIntens", census.nebIntens, json);
  return out;
}

}  // namespace glyphverse
