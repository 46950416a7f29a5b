#include "tools/atlas/atlas_render.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <new>
#include <optional>
#include <vector>

#include "base/progress.h"
#include "base/worker_pool.h"
#include "tools/atlas/band_renderer.h"
#include "tools/atlas/bands_in_order.h"
#include "tools/atlas/png_chunk_writer.h"
#include "tools/atlas/render_plan.h"
#include "world/view_state.h"

namespace glyphverse {
namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// One band in flight with everything it needs; reused for later bands.
struct Band {
  Band(int compression, DeflateStrategy strategy) : encoder(compression, strategy) {}
  std::int64_t index = 0;
  std::int64_t firstCellRow = 0;
  int cellRows = 0;
  std::vector<std::uint8_t> rows;
  BandRenderer::Scratch scratch;
  BandEncoder encoder;
  EncodedBand encoded;
  double renderSeconds = 0.0;
  double encodeSeconds = 0.0;
};

// What each thread spent on its bands.
struct BandTimes {
  double renderSeconds = 0.0;
  double encodeSeconds = 0.0;
};

// What happens to each finished band, in order, on one thread at a time.
using BandSink = std::function<void(Band&)>;

DeflateStrategy strategyFor(const LevelWorld& world, const AtlasLayout& layout) {
  if (layout.cellPixels > 1) return DeflateStrategy::matches;
  return world.viewLevel == GALAXY_LEVEL ? DeflateStrategy::codesOnly : DeflateStrategy::runs;
}

// Draws a band's rows and, if asked, filters and compresses them.
void makeBand(const BandRenderer& renderer, const AtlasLayout& layout, const RenderPlan& plan,
              bool compress, Band& band) {
  const Clock::time_point began = Clock::now();
  const auto rowBytes = static_cast<std::size_t>(layout.rowBytes());
  const std::size_t pixelRows = static_cast<std::size_t>(band.cellRows) * layout.cellPixels;
  band.rows.resize(pixelRows * rowBytes);
  renderer.render(band.firstCellRow, band.cellRows, band.scratch, band.rows.data());
  const Clock::time_point rendered = Clock::now();
  if (compress) {
    band.encoder.encode(band.rows.data(), pixelRows, rowBytes, band.index == plan.bandCount - 1,
                        band.encoded);
  }
  band.renderSeconds = std::chrono::duration<double>(rendered - began).count();
  band.encodeSeconds = secondsSince(rendered);
}

// Bands are taken in order, made in parallel and handed to the sink in order
// again, with a bounded number of bands in flight.
RenderStats runBands(const LevelWorld& world, const AtlasLayout& layout,
                     const RenderSettings& settings, bool compress, const BandSink& sink) {
  const Clock::time_point start = Clock::now();
  const BandRenderer renderer(world, layout);
  const std::optional<RenderPlan> planned = planRender(layout, settings);
  if (!planned) throw std::bad_alloc();
  const RenderPlan& plan = *planned;
  const DeflateStrategy strategy = strategyFor(world, layout);
  BandsInOrder<Band> bands(std::min(plan.bandsInFlight, plan.bandCount),
                           [&] { return std::make_unique<Band>(settings.compression, strategy); });
  WorkerPool pool(plan.threads);
  std::vector<BandTimes> times(static_cast<std::size_t>(pool.threads()));
  pool.runTasksInParts(times, plan.bandCount, [&](BandTimes& time, std::int64_t index) {
    try {
      Band* band = bands.start(index);
      if (band == nullptr) return;
      band->index = index;
      band->firstCellRow = index * plan.bandCellRows;
      band->cellRows =
          static_cast<int>(std::min(plan.bandCellRows, layout.rows - band->firstCellRow));
      makeBand(renderer, layout, plan, compress, *band);
      time.renderSeconds += band->renderSeconds;
      time.encodeSeconds += band->encodeSeconds;
      bands.made(index, band, sink);
    } catch (...) {
      bands.fail();
      throw;
    }
  });
  RenderStats stats;
  for (const BandTimes& time : times) {
    stats.renderSeconds += time.renderSeconds;
    stats.encodeSeconds += time.encodeSeconds;
  }
  stats.seconds = secondsSince(start);
  return stats;
}

}  // namespace

int threadCount(const RenderSettings& settings) {
  return settings.threads > 0 ? settings.threads : WorkerPool::coreCount();
}

RenderStats writeAtlasPng(const LevelWorld& world, const AtlasLayout& layout,
                          const RenderSettings& settings, std::FILE* file, ProgressBar* progress) {
  PngChunkWriter png(file, static_cast<std::uint32_t>(layout.width()),
                     static_cast<std::uint32_t>(layout.height()));
  auto check = [&](bool written) {
    if (!written) throw WriteError(png.error());
  };
  check(png.writeHeader());
  const auto header = zlibHeader(settings.compression);
  check(png.writeImageData(header.data(), header.size()));
  std::uint32_t adler = 1;
  std::int64_t cellsDone = 0;
  RenderStats stats = runBands(world, layout, settings, true, [&](Band& band) {
    check(png.writeImageData(band.encoded.deflated.data(), band.encoded.deflated.size()));
    adler = combineAdler(adler, band.encoded);
    cellsDone += band.cellRows * layout.columns;
    if (progress != nullptr) progress->update(cellsDone);
  });
  const auto trailer = zlibTrailer(adler);
  check(png.writeImageData(trailer.data(), trailer.size()));
  check(png.writeEnd());
  stats.fileBytes = png.bytesWritten();
  return stats;
}

RenderStats renderAtlasBands(const LevelWorld& world, const AtlasLayout& layout,
                             const RenderSettings& settings, bool compress) {
  return runBands(world, layout, settings, compress, [](Band&) {});
}

}  // namespace glyphverse
