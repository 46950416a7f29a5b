#pragma once
// Renders a whole atlas on every core and writes it as one PNG: bands of
// rows are made and compressed in parallel, and written in order by one
// writer while the next bands are made. At most a few bands are in flight,
// so memory stays bounded by the width, whatever the height.

#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "tools/atlas/atlas_layout.h"
#include "tools/atlas/atlas_world.h"
#include "tools/atlas/band_encoder.h"

namespace glyphverse {

class ProgressBar;

struct RenderSettings {
  int threads = 0;  // 0: every core
  int compression = DEFAULT_COMPRESSION;
  std::int64_t bandRows = 0;      // cell rows a band; 0: bandCellRows(layout)
  std::uint64_t memoryBytes = 0;  // what the render may take; 0: no limit known
};

struct RenderStats {
  double seconds = 0.0;        // wall time of the whole run
  double renderSeconds = 0.0;  // generating and drawing, summed over threads
  double encodeSeconds = 0.0;  // filtering and compressing, summed over threads
  std::uint64_t fileBytes = 0;
};

// Writing the PNG failed; the message says why ("No space left on device").
struct WriteError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Writes the atlas as a PNG onto `file`; updates `progress` (if any) in cells.
// The bytes depend on the world and the layout alone, never on the number of
// threads. Throws WriteError, and std::bad_alloc when not even one band fits
// in settings.memoryBytes (planRender tells beforehand).
RenderStats writeAtlasPng(const LevelWorld& world, const AtlasLayout& layout,
                          const RenderSettings& settings, std::FILE* file, ProgressBar* progress);

// Makes every band, compressed or not, and drops it: for measuring.
RenderStats renderAtlasBands(const LevelWorld& world, const AtlasLayout& layout,
                             const RenderSettings& settings, bool compress);

// The number of threads `settings` asks for.
int threadCount(const RenderSettings& settings);

}  // namespace glyphverse
