// A long headless run of the real frame loop: a random walk across the world's
// edges with view-level changes. It must finish without an error and hold no
// more memory at the end than after its first thousand frames, apart from
// the one record that grows by design: each level below the planet surface
// keeps a return position, so a walk that goes deeper than ever before
// needs room for more of them.
//
//   soak_test [FRAMES]   (default 200000)

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <new>
#include <random>

#include "app/explorer.h"
#include "display/display.h"
#include "display/headless_backend.h"
#include "world/geometry.h"

namespace {

// Live heap blocks and bytes of the whole process, counted by the global
// allocation functions below.
std::size_t liveBlocks = 0;
std::size_t liveBytes = 0;

long residentKilobytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmRSS:") {
      long kb = 0;
      status >> kb;
      return kb;
    }
  }
  return 0;
}

}  // namespace

void* operator new(std::size_t size) {
  // Room in front of the block for its size, so that delete can count it off.
  void* raw = std::malloc(size + alignof(std::max_align_t));
  if (raw == nullptr) throw std::bad_alloc();
  *static_cast<std::size_t*>(raw) = size;
  ++liveBlocks;
  liveBytes += size;
  return static_cast<char*>(raw) + alignof(std::max_align_t);
}

void operator delete(void* block) noexcept {
  if (block == nullptr) return;
  void* raw = static_cast<char*>(block) - alignof(std::max_align_t);
  --liveBlocks;
  liveBytes -= *static_cast<std::size_t*>(raw);
  std::free(raw);
}

void operator delete(void* block, std::size_t) noexcept {
  operator delete(block);
}

int main(int argc, char** argv) {
  using namespace glyphverse;
  const long frames = argc > 1 ? std::atol(argv[1]) : 200000;
  if (frames < 2000) {
    std::fprintf(stderr, "soak: run at least 2000 frames\n");
    return 2;
  }

  ManualClock clock{0.0, 0.02};  // the move gate opens in every frame
  Display display(std::make_unique<HeadlessBackend>(&clock));
  Explorer explorer(display, galaxyPlace(WORLD_SIZE - 20, 3));
  Keyboard& keys = display.keyboard();
  std::mt19937 random(20261207);
  const int walkKeys[] = {SCAN_UP, SCAN_DOWN, SCAN_LEFT, SCAN_RIGHT, SCAN_SHIFT};

  std::size_t blocksAfterWarmUp = 0;
  std::size_t bytesAfterWarmUp = 0;
  std::size_t returnRoomAfterWarmUp = 0;
  std::int32_t deepestLevel = 0;
  long residentAfterWarmUp = 0;
  std::size_t peakBytes = 0;
  int edgeCrossings = 0;
  int levelChanges = 0;
  for (long frame = 1; frame <= frames; ++frame) {
    if (frame % 40 == 0) {  // a new direction now and then
      keys.releaseAll();
      for (const int code : walkKeys) keys.setDown(code, random() % 3 == 0);
    }
    // Down a level a little less often than up, so the walk stays near the content.
    if (frame % 997 == 0) keys.setDown(random() % 20 < 9 ? SCAN_SPACE : SCAN_ALT, true);
    const ViewState& state = explorer.state();
    const Position before{state.x, state.y};
    const std::int32_t levelBefore = state.viewLevel;
    if (!explorer.runFrameAndSleep()) {
      std::fprintf(stderr, "soak: the loop ended at frame %ld\n", frame);
      return 1;
    }
    keys.setDown(SCAN_SPACE, false);
    keys.setDown(SCAN_ALT, false);
    levelChanges += state.viewLevel != levelBefore ? 1 : 0;
    deepestLevel = std::max(deepestLevel, state.viewLevel);
    edgeCrossings += std::abs(state.x - before.x) > 1 || std::abs(state.y - before.y) > 1 ? 1 : 0;

    if (frame == 1000) {
      blocksAfterWarmUp = liveBlocks;
      bytesAfterWarmUp = liveBytes;
      returnRoomAfterWarmUp = state.returnPositions.capacity();
      residentAfterWarmUp = residentKilobytes();
    } else if (frame > 1000 && liveBytes > peakBytes) {
      peakBytes = liveBytes;
    }
  }

  // The return positions' one block may have moved to a larger one.
  const std::size_t returnRoomGrowth =
      (explorer.state().returnPositions.capacity() - returnRoomAfterWarmUp) * sizeof(Position);
  const long residentGrowth = residentKilobytes() - residentAfterWarmUp;
  std::printf(
      "soak: %ld frames, %d level changes down to level %d, %d position jumps (edges and "
      "levels), live heap %zu blocks / %zu bytes after 1000 frames, %zu / %zu at the end "
      "(peak %zu, return positions %zu more), resident memory grew by %ld kB\n",
      frames, levelChanges, deepestLevel, edgeCrossings, blocksAfterWarmUp, bytesAfterWarmUp,
      liveBlocks, liveBytes, peakBytes, returnRoomGrowth, residentGrowth);
  bool ok = true;
  if (liveBlocks > blocksAfterWarmUp || liveBytes > bytesAfterWarmUp + returnRoomGrowth) {
    std::fprintf(stderr, "soak: the heap grew after the first 1000 frames\n");
    ok = false;
  }
  if (levelChanges < frames / 2000 || edgeCrossings < frames / 2000) {
    std::fprintf(stderr, "soak: the walk did not change levels and cross edges enough\n");
    ok = false;
  }
#if !defined(__SANITIZE_ADDRESS__)
  // The address sanitizer keeps freed memory in quarantine, so only a plain
  // build can judge the resident size.
  if (residentGrowth > 2048) {
    std::fprintf(stderr, "soak: resident memory grew by %ld kB\n", residentGrowth);
    ok = false;
  }
#endif
  return ok ? 0 : 1;
}
