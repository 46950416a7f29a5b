#include "tools/snapshot/snapshot.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "app/scanner.h"
#include "display/png_io.h"
#include "gen/places.h"
#include "tools/query/query.h"
#include "tools/snapshot/arguments.h"
#include "world/number_text.h"

namespace glyphverse {
namespace {

SnapshotOptions options(const std::vector<std::string>& arguments) {
  std::vector<std::string> all{"--out", "frame.png"};
  all.insert(all.end(), arguments.begin(), arguments.end());
  return parseSnapshotCommand(all).options;
}

TEST(SnapshotArguments, Defaults) {
  const SnapshotOptions o = options({});
  EXPECT_EQ(o.start, galaxyPlace(10, 10));
  EXPECT_EQ(o.frameTime, 0.02);
  EXPECT_TRUE(o.steps.empty());
  EXPECT_EQ(o.out, "frame.png");
}

TEST(SnapshotArguments, ScriptSteps) {
  const auto steps =
      parseScript(" wait 3;hold up+shift 2 ; type esc; type q;type enter;hold alt 1");
  ASSERT_EQ(steps.size(), 6u);
  EXPECT_EQ(steps[5].scanCodes, (std::vector<int>{SCAN_ALT}));
  EXPECT_EQ(steps[0].kind, ScriptStep::Kind::wait);
  EXPECT_EQ(steps[0].frames, 3);
  EXPECT_EQ(steps[1].kind, ScriptStep::Kind::hold);
  EXPECT_EQ(steps[1].scanCodes, (std::vector<int>{SCAN_UP, SCAN_SHIFT}));
  EXPECT_EQ(steps[1].frames, 2);
  EXPECT_EQ(steps[2].key, KeyCode::character(27));
  EXPECT_EQ(steps[3].key, KeyCode::character('q'));
  EXPECT_EQ(steps[4].key, KeyCode::character(13));
}

TEST(SnapshotArguments, BadArgumentsNameTheArgument) {
  struct Case {
    std::vector<std::string> arguments;
    std::string named;
  };
  const Case cases[] = {
      {{"--start", "10"}, "--start"},
      {{"--start", "0x10,5"}, "X '0x10' is not an integer"},
      {{"--start", "1, 2"}, "Y ' 2' is not an integer"},
      {{"--start", "a,b"}, "--start"},
      {{"--start", "2/1"}, "three parts"},
      {{"--start", "3/1/1/0/+5"}, "Y must be"},
      {{"--frame-time", "-0.1"}, "--frame-time"},
      {{"--frame-time", "fast"}, "--frame-time"},
      {{"--frame-time", "1e308"}, "from 0 to 1"},
      {{"--frame-time", "nan"}, "from 0 to 1"},
      {{"--script", "jump 3"}, "--script"},
      {{"--script", "hold north 3"}, "--script"},
      {{"--script", "wait -1"}, "from 0 to 10000000"},
      {{"--script", "wait 99999999999"}, "from 0 to 10000000"},
      {{"--script", "hold up 10000001"}, "from 0 to 10000000"},
      {{"--script", "wait 6000000; hold left 6000000"}, "(at most 10000000)"},
      {{"--script", "type home"}, "--script"},
      {{"--script-file", "/nonexistent-directory/steps"}, "No such file or directory"},
      {{"--script", "wait 1", "--script-file", "steps"}, "one way only"},
      {{"--bogus", "1"}, "--bogus"},
      {{"--script"}, "--script"},
  };
  for (const Case& c : cases) {
    try {
      options(c.arguments);
      ADD_FAILURE() << "accepted " << c.arguments[0];
    } catch (const UsageError& error) {
      EXPECT_NE(std::string(error.what()).find(c.named), std::string::npos) << error.what();
    }
  }
  EXPECT_THROW(parseSnapshotCommand({"--start", "1,1"}), UsageError);  // no --out
}

// A message must not hand the terminal the raw bytes of an argument.
TEST(SnapshotArguments, MessagesEscapeControlBytesAndCutLongFields) {
  try {
    options({"--script", "hold \x1b[2J\x07" + std::string(500, 'x') + " 3"});
    FAIL() << "accepted";
  } catch (const UsageError& error) {
    const std::string message = error.what();
    EXPECT_EQ(message.find('\x1b'), std::string::npos) << message;
    EXPECT_NE(message.find("\\x1b[2J\\x07"), std::string::npos) << message;
    EXPECT_LT(message.size(), 200u) << message;
  }
}

TEST(SnapshotArguments, AScriptFileMayPutOneStepOnEachLine) {
  const std::string path = ::testing::TempDir() + "steps.txt";
  std::ofstream(path) << "wait 30\nhold space 1\r\n\nhold right 3; wait 2\n";
  const SnapshotOptions fromFile = options({"--script-file", path});
  const SnapshotOptions fromArgument =
      options({"--script", "wait 30; hold space 1; hold right 3; wait 2"});
  std::remove(path.c_str());
  ASSERT_EQ(fromFile.steps.size(), fromArgument.steps.size());
  for (std::size_t i = 0; i < fromArgument.steps.size(); ++i) {
    EXPECT_EQ(fromFile.steps[i].frames, fromArgument.steps[i].frames);
    EXPECT_EQ(fromFile.steps[i].scanCodes, fromArgument.steps[i].scanCodes);
  }
}

TEST(Snapshot, EnteringTheSystemAtTenTenAndMovingRight) {
  const SnapshotResult result =
      runSnapshot(options({"--start", "10,10", "--script", "wait 30; hold space 1; hold right 3"}));
  EXPECT_EQ(result.state.viewLevel, 3);
  EXPECT_EQ(result.state.x, 3);
  EXPECT_EQ(result.state.y, 0);
  EXPECT_EQ(result.frames, 34);
  EXPECT_EQ(snapshotJson(result),
            "{\"x\":3,\"y\":0,\"viewLevel\":3,\"nebIntens\":14,\"systemName\":\"" +
                result.state.system.name +
                "\",\"starCount\":5,\"planetCount\":0,\"frames\":34,\"place\":\"3/10/10/3/0\"}");
}

// The map region of a frame: pixels 50 to 537 on both axes.
std::vector<Color> mapRegion(const Image& frame) {
  std::vector<Color> region;
  for (int y = 50; y <= 537; ++y) {
    for (int x = 50; x <= 537; ++x) region.push_back(frame.at(x, y));
  }
  return region;
}

TEST(Snapshot, AltReturnsToTheGalaxyAsItWasLeft) {
  const SnapshotResult before = runSnapshot(options({"--start", "40,2"}));
  const SnapshotResult back = runSnapshot(
      options({"--start", "40,2", "--script",
               "wait 30; hold space 1; hold right 5; wait 30; hold space 1; wait 30; hold alt 1; "
               "wait 30; hold alt 1; wait 30; hold alt 1"}));
  EXPECT_EQ(back.state.viewLevel, 2);
  EXPECT_EQ(back.state.x, 40);
  EXPECT_EQ(back.state.y, 2);
  EXPECT_EQ(back.state.system.nebIntens, 208);  // the last system entered
  EXPECT_EQ(mapRegion(back.frame), mapRegion(before.frame));
}

// A place's text starts the explorer where walking there would have left it.
TEST(Snapshot, StartingAtAPlaceEqualsWalkingThere) {
  const SnapshotResult walked =
      runSnapshot(options({"--start", "40,2", "--script", "wait 30; hold space 1; hold right 5"}));
  ASSERT_EQ(placeText(placeOf(walked.state)), "3/40/2/5/0");
  const SnapshotResult started = runSnapshot(options({"--start", "3/40/2/5/0"}));
  EXPECT_EQ(started.state.system, walked.state.system);
  EXPECT_EQ(started.state.tables, walked.state.tables);
  EXPECT_EQ(started.state.returnPositions, walked.state.returnPositions);
  EXPECT_EQ(mapRegion(started.frame), mapRegion(walked.frame));
}

bool anyRowHas(const std::vector<std::string>& rows, const std::string& words) {
  for (const std::string& row : rows) {
    if (row.find(words) != std::string::npos) return true;
  }
  return false;
}

// "/" finds the nearest star that the query tool finds, Enter goes there,
// and I tells what is there in words.
TEST(Snapshot, ASearchGoesToTheNearestMatchAndTheInfoPanelNamesIt) {
  const SnapshotResult found =
      runSnapshot(options({"--script",
                           "type /; wait 1; text bright>=150 planets>=5; type enter; wait 1; "
                           "type enter; wait 1; type i; wait 2"}));
  const std::string nearest = answerQuery("nearest 10 10 1000 bright>=150 planets>=5").text;
  const auto tab = [&](int n) {
    std::size_t at = 0;
    for (int i = 0; i < n; ++i) at = nearest.find('\t', at) + 1;
    return at;
  };
  const std::string x = nearest.substr(0, tab(1) - 1);
  const std::string y = nearest.substr(tab(1), tab(2) - tab(1) - 1);
  EXPECT_EQ(placeText(placeOf(found.state)), "2/" + x + "/" + y);
  EXPECT_TRUE(anyRowHas(found.text, "Galaxy"));
  EXPECT_TRUE(anyRowHas(found.text, nearest.substr(tab(10))));  // the system's name
  EXPECT_TRUE(anyRowHas(found.text, ", bright"));

  const SnapshotResult empty = runSnapshot(options({"--script", "type i; wait 2"}));
  EXPECT_TRUE(anyRowHas(empty.text, "No star here"));
}

// A line being typed takes every waiting key: forty typed between two frames
// all reach the scanner's G prompt, far more than the fifteen kept outside it.
TEST(Snapshot, ABurstOfTypingReachesThePromptWhole) {
  const std::string x = "-123456789012345678901234567890123";
  const std::string y = "56789";
  const SnapshotResult typed =
      runSnapshot(options({"--script", "type m; wait 1; type g; wait 1; burst " + x + " " + y +
                                           "; type enter; wait 1"}));
  ASSERT_TRUE(typed.scannerOpen);
  EXPECT_EQ(typed.scannerX, readCoordinate(x));
  EXPECT_EQ(typed.scannerY, readCoordinate(y));
  // What a full line cannot take is named on the bottom row.
  const std::string tooLong(Scanner::PROMPT_LENGTH, '1');
  const SnapshotResult cut = runSnapshot(
      options({"--script", "type m; wait 1; type g; wait 1; burst " + tooLong + "23; wait 2"}));
  EXPECT_NE(cut.text.back().find("left out: 23"), std::string::npos) << cut.text.back();
}

TEST(Snapshot, RunsOneFrameWithoutAScriptAndStopsAtEsc) {
  EXPECT_EQ(runSnapshot(options({})).frames, 1);
  const SnapshotResult ended = runSnapshot(options({"--script", "type esc; wait 10"}));
  EXPECT_TRUE(ended.ended);
  EXPECT_EQ(ended.frames, 1);
}

TEST(Snapshot, SameScriptSameFrame) {
  const auto o = options({"--start", "500,600", "--script", "hold down+right 7; wait 2"});
  EXPECT_EQ(runSnapshot(o).frame.pixels, runSnapshot(o).frame.pixels);
}

TEST(PngFiles, RoundTripRedGreenBlue) {
  Image image(3, 2, 0xFF000000);
  image.at(0, 0) = 0xFF123456;
  image.at(2, 1) = 0x00ABCDEF;  // alpha is not kept
  const std::string path = ::testing::TempDir() + "roundtrip.png";
  ASSERT_EQ(writePng(path, image), "");
  const auto back = readPng(path);
  ASSERT_TRUE(back.has_value());
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->at(0, 0), 0xFF123456u);
  EXPECT_EQ(back->at(2, 1), 0xFFABCDEFu);
  std::remove(path.c_str());
  EXPECT_NE(writePng("/nonexistent-directory/x.png", image).find("No such file or directory"),
            std::string::npos);
  EXPECT_FALSE(readPng("/nonexistent-directory/x.png").has_value());
}

}  // namespace
}  // namespace glyphverse
