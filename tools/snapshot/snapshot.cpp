#include "tools/snapshot/snapshot.h"

#include <memory>

#include "app/explorer.h"
#include "base/json_line.h"
#include "display/cp437.h"
#include "display/display.h"
#include "display/headless_backend.h"
#include "gen/places.h"

namespace glyphverse {
SnapshotResult runSnapshot(const SnapshotOptions& options, const FrameObserver& onFrame) {
  ManualClock clock{0.0, options.frameTime};
  Display display(std::make_unique<HeadlessBackend>(&clock), "glyphverse");
  ExplorerServices services;
  services.searchesWait = true;  // the same frames however fast the machine
  services.catalogue = options.catalogue;
  Explorer explorer(display, options.start, services);
  SnapshotResult result;
  auto runFrames = [&](int count) {
    for (int n = 0; n < count && !result.ended; ++n) {
      result.ended = !explorer.runFrameAndSleep();
      ++result.frames;
      if (onFrame) onFrame(result.frames);
    }
  };
  for (const ScriptStep& step : options.steps) {
    if (step.kind == ScriptStep::Kind::type) {
      display.keyboard().push(step.key);
      continue;
    }
    if (step.kind == ScriptStep::Kind::burst) {
      for (const char c : step.text) {
        display.keyboard().push(KeyCode::character(static_cast<std::uint8_t>(c)));
      }
      continue;
    }
    if (step.kind == ScriptStep::Kind::text) {
      for (const char c : step.text) {
        display.keyboard().push(KeyCode::character(static_cast<std::uint8_t>(c)));
        runFrames(1);
      }
      continue;
    }
    for (const int code : step.scanCodes) display.keyboard().setDown(code, true);
    runFrames(step.frames);
    display.keyboard().releaseAll();
  }
  if (result.frames == 0) runFrames(1);
  result.frame = display.page(explorer.lastDrawnPage());
  result.text = display.workFrame().textRows();  // the last frame drawn, not flipped yet
  result.state = explorer.state();
  const Scanner& scanner = explorer.scanner();
  result.scannerOpen = scanner.isOpen();
  result.scannerX = scanner.x();
  result.scannerY = scanner.y();
  result.scannerZoom = scanner.zoom();
  return result;
}

std::string snapshotJson(const SnapshotResult& result) {
  const ViewState& s = result.state;
  JsonObject line = {{"x", s.x},
                     {"y", s.y},
                     {"viewLevel", s.viewLevel},
                     {"nebIntens", s.system.nebIntens},
                     {"systemName", utf8OfCp437Text(s.system.name)},
                     {"starCount", s.system.starCount},
                     {"planetCount", s.system.planetCount},
                     {"frames", result.frames},
                     {"place", placeText(placeOf(s))}};
  // Only a run that ends with the scanner open says where its crosshair is.
  if (result.scannerOpen) {
    line["scannerX"] = result.scannerX;
    line["scannerY"] = result.scannerY;
    line["scannerZoom"] = result.scannerZoom;
  }
  return jsonLine(line);
}

}  // namespace glyphverse
