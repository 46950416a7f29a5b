// The explorer's frames for a few scripted runs must not change by a single
// pixel. The expected frames are made by scripts/update-goldens.sh.

#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "display/png_io.h"
#include "tools/snapshot/arguments.h"

namespace glyphverse {
namespace {

const std::string GOLDEN_DIR = std::string(GLYPHVERSE_SOURCE_DIR) + "/tests/golden/";

struct GoldenFrame {
  std::string name;
  std::string start;
  std::string script;
};

std::vector<GoldenFrame> goldenFrames() {
  std::vector<GoldenFrame> frames;
  std::ifstream list(GOLDEN_DIR + "frames.txt");
  std::string line;
  while (std::getline(list, line)) {
    if (line.empty() || line[0] == '#') continue;
    const auto first = line.find('|');
    const auto second = line.find('|', first + 1);
    frames.push_back({line.substr(0, first), line.substr(first + 1, second - first - 1),
                      line.substr(second + 1)});
  }
  return frames;
}

TEST(GoldenFrames, EveryScriptedFrameMatchesItsPicture) {
  const auto frames = goldenFrames();
  ASSERT_GE(frames.size(), 5u);
  for (const GoldenFrame& golden : frames) {
    SCOPED_TRACE(golden.name);
    const SnapshotOptions options = parseSnapshotCommand({"--start", golden.start, "--script",
                                                          golden.script, "--out", "unused.png"})
                                        .options;
    const Image frame = runSnapshot(options).frame;
    const auto expected = readPng(GOLDEN_DIR + golden.name + ".png");
    ASSERT_TRUE(expected.has_value());
    ASSERT_EQ(frame.width, expected->width);
    ASSERT_EQ(frame.height, expected->height);
    int differing = 0;
    for (std::size_t i = 0; i < frame.pixels.size(); ++i) {
      // The window shows red, green and blue; tiles leave alpha 0 behind.
      differing += (frame.pixels[i] & 0xFFFFFF) != (expected->pixels[i] & 0xFFFFFF) ? 1 : 0;
    }
    EXPECT_EQ(differing, 0);
  }
}

}  // namespace
}  // namespace glyphverse
