#include "tools/query/catalogue_lists.h"

#include <cinttypes>
#include <cstdio>

#include "base/json_line.h"
#include "base/message_text.h"
#include "display/cp437.h"
#include "gen/cell_rules.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

template <std::size_t N>
void appendMeasure(std::string& out, const char* measure, const std::array<std::int64_t, N>& counts,
                   bool json) {
  for (std::size_t k = 0; k < N; ++k) {
    if (json) {
      out += jsonLine({{"measure", measure}, {"value", k}, {"count", counts[k]}}) + "\n";
    } else {
      out +=
          std::string(measure) + "\t" + std::to_string(k) + "\t" + std::to_string(counts[k]) + "\n";
    }
  }
}

}  // namespace

std::string catalogueLines(const std::vector<HuntedSystem>& systems, bool json) {
  std::string out;
  for (const HuntedSystem& s : systems) {
    char colour[16];
    std::snprintf(colour, sizeof colour, "%08" PRIX32, s.nebColor);
    if (json) {
      // The seed is a whole number below 2^53, so the integer is exact.
      out += jsonLine({{"x", s.cell.x},
                       {"y", s.cell.y},
                       {"seed", static_cast<std::int64_t>(cellSeed(s.cell.x, s.cell.y))},
                       {"size", SYSTEM_BACKGROUND_SIZE},
                       {"starCount", s.counts.starCount},
                       {"planetCount", s.counts.planetCount},
                       {"bodyCount", s.counts.starCount + s.counts.planetCount},
                       {"nebColor", colour},
                       {"nebIntens", s.nebIntens},
                       {"name", utf8OfCp437Text(s.name)}}) +
             "\n";
    } else {
      char seed[64];
      std::snprintf(seed, sizeof seed, "%.0f", cellSeed(s.cell.x, s.cell.y));
      const std::string fields[] = {std::to_string(s.cell.x),
                                    std::to_string(s.cell.y),
                                    seed,
                                    std::to_string(SYSTEM_BACKGROUND_SIZE),
                                    std::to_string(s.counts.starCount),
                                    std::to_string(s.counts.planetCount),
                                    std::to_string(s.counts.starCount + s.counts.planetCount),
                                    colour,
                                    std::to_string(s.nebIntens)};
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
