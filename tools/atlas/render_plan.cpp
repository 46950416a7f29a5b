#include "tools/atlas/render_plan.h"

#include <algorithm>

#include "base/worker_pool.h"
#include "tools/atlas/band_encoder.h"
#include "tools/atlas/band_renderer.h"

namespace glyphverse {

BandMemory bandMemory(const AtlasLayout& layout, std::int64_t bandCellRows) {
  const auto pixelRows = static_cast<std::uint64_t>(bandCellRows) * layout.cellPixels;
  const std::uint64_t rows = pixelRows * static_cast<std::uint64_t>(layout.rowBytes());
  BandMemory memory;
  memory.perBand = sizeof(BandRenderer::Scratch) + sizeof(BandEncoder) + sizeof(EncodedBand) +
                   rows + BandEncoder::largestOutput(rows) +
                   BandRenderer::scratchBytes(layout, bandCellRows) + BandEncoder::stateBytes();
  memory.perThread = WorkerPool::threadStackBytes();
  return memory;
}

std::optional<RenderPlan> planRender(const AtlasLayout& layout, const RenderSettings& settings) {
  RenderPlan plan;
  plan.bandCellRows =
      settings.bandRows > 0 ? std::min(settings.bandRows, layout.rows) : bandCellRows(layout);
  plan.bandCount = (layout.rows + plan.bandCellRows - 1) / plan.bandCellRows;
  const int asked = threadCount(settings);
  if (settings.memoryBytes == 0) {
    plan.threads = asked;
    plan.bandsInFlight = 2 * std::int64_t{asked};
    return plan;
  }
  const BandMemory memory = bandMemory(layout, plan.bandCellRows);
  const auto fits = [&](std::int64_t threads, std::int64_t bands) {
    return static_cast<std::uint64_t>(threads) * memory.perThread +
               static_cast<std::uint64_t>(bands) * memory.perBand <=
           settings.memoryBytes;
  };
  if (!fits(1, 1)) return std::nullopt;
  plan.threads = asked;
  while (plan.threads > 1 && !fits(plan.threads, plan.threads)) --plan.threads;
  plan.bandsInFlight = 2 * std::int64_t{plan.threads};
  while (plan.bandsInFlight > plan.threads && !fits(plan.threads, plan.bandsInFlight)) {
    --plan.bandsInFlight;
  }
  return plan;
}

}  // namespace glyphverse
