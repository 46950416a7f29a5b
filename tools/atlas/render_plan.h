#pragma once
// How a render is laid out in bands and how many of them, on how many
// threads, fit in the memory it may use. Every buffer a band in flight and a
// rendering thread hold is counted, so the plan is what the render takes.

#include <cstdint>
#include <optional>

#include "tools/atlas/atlas_layout.h"
#include "tools/atlas/atlas_render.h"

namespace glyphverse {

// The memory of one band in flight (its rows, as many compressed bytes at
// worst, the octaves of its rows and columns, its cells and canvas when
// drawn as glyphs, the encoder) and of one rendering thread (its stack).
struct BandMemory {
  std::uint64_t perBand = 0;
  std::uint64_t perThread = 0;
};
BandMemory bandMemory(const AtlasLayout& layout, std::int64_t bandCellRows);

struct RenderPlan {
  std::int64_t bandCellRows = 1;  // a band's; the last band's may be fewer
  std::int64_t bandCount = 1;
  int threads = 1;
  std::int64_t bandsInFlight = 1;
};

// Two bands a thread keep every thread busy while the writer catches up;
// within settings.memoryBytes there may be fewer bands and then fewer
// threads, which changes no byte of the picture. Nothing when not even one
// band on one thread fits.
std::optional<RenderPlan> planRender(const AtlasLayout& layout, const RenderSettings& settings);

}  // namespace glyphverse
