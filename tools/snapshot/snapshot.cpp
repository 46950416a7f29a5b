#include "tools/snapshot/snapshot.h"

#include <cstdio>
#include <memory>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"
#include "gen/places.h"

namespace glyphverse {
namespace {

std::string jsonString(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

}  // namespace

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

namespace {

// Only a run that ends with the scanner open says where its crosshair is.
std::string scannerJson(const SnapshotResult& result) {
  if (!result.scannerOpen) return "";
  return ",\"scannerX\":" + std::to_string(result.scannerX) +
         ",\"scannerY\":" + std::to_string(result.scannerY) +
         ",\"scannerZoom\":" + std::to_string(result.scannerZoom);
}

}  // namespace

std::string snapshotJson(const SnapshotResult& result) {
  const ViewState& s = result.state;
  return "{\"x\":" + std::to_string(s.x) + ",\"y\":" + std::to_string(s.y) +
         ",\"viewLevel\":" + std::to_string(s.viewLevel) +
         ",\"nebIntens\":" + std::to_string(s.system.nebIntens) +
         ",\"systemName\":" + jsonString(s.system.name) +
         ",\"starCount\":" + std::to_string(s.system.starCount) +
         ",\"planetCount\":" + std::to_string(s.system.planetCount) +
         ",\"frames\":" + std::to_string(result.frames) +
         ",\"place\":" + jsonString(placeText(placeOf(s))) + scannerJson(result) + "}";
}

}  // namespace glyphverse
