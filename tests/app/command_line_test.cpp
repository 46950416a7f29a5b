#include "app/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>

#include "app/picture_place.h"
#include "keep/place_link.h"
#include "tools/common/png_io.h"

namespace glyphverse {
namespace {

ExplorerCommand parse(const std::vector<std::string>& arguments) {
  return parseExplorerCommand(arguments, placeOfPicture);
}

// The link C copies, handed back to the command line (as a desktop does
// with glyphverse %u), starts the explorer where the link was made.
TEST(CommandLine, ALinkRoundTripsToTheSamePlace) {
  for (const Place& place : {galaxyPlace(1100, 2100), galaxyPlace(0, 16777215),
                             Place{3, {1100, 2100}, {4, 7}}, Place{4, {53, 2}, {16777215, 0}}}) {
    const std::string link = placeLink(place);
    EXPECT_EQ(parse({link}).start, place) << link;
    EXPECT_EQ(parse({placeText(place)}).start, place);
  }
  EXPECT_EQ(placeLink(galaxyPlace(1100, 2100)), "glyphverse:2/1100/2100");
  EXPECT_EQ(parse({"glyphverse://3/1/2/3/4"}).start, (Place{3, {1, 2}, {3, 4}}));
  EXPECT_FALSE(parse({}).start);
  EXPECT_TRUE(parse({"--continue"}).continueLastRun);
  EXPECT_NE(parse({"--help"}).info.find("glyphverse:PLACE"), std::string::npos);
  EXPECT_NE(parse({"--version"}).info.find("glyphverse "), std::string::npos);
}

TEST(CommandLine, APictureStartsWhereItWasTaken) {
  const std::string path = ::testing::TempDir() + "glyphverse-L3-4-7.png";
  const Place place{3, {1100, 2100}, {4, 7}};
  ASSERT_EQ(writePictureOfPlace(path, Image(4, 4, 0xFF102030), place), "");
  EXPECT_EQ(parse({path}).start, place);
  ASSERT_EQ(writePictureOfPlace(path, Image(4, 4, 0xFF102030), galaxyPlace(5, 6)), "");
  EXPECT_EQ(parse({path}).start, galaxyPlace(5, 6));  // the picture replaced says so too
  std::remove(path.c_str());
}

// What is wrong is named; the argument is echoed escaped.
TEST(CommandLine, BadArgumentsSayWhatIsWrong) {
  const std::string plain = ::testing::TempDir() + "plain.png";
  ASSERT_EQ(writePng(plain, Image(2, 2, 0xFF000000)), "");
  const std::string notPng = ::testing::TempDir() + "notes.png";
  std::fclose(std::fopen(notPng.c_str(), "w"));
  struct Case {
    std::vector<std::string> arguments;
    std::string says;
  };
  const Case cases[] = {
      {{"2/10"}, "'2/10' is not a place: a place on the galaxy has three parts"},
      {{"glyphverse:9/1/2"}, "a place below the galaxy has five parts"},
      {{"2/0x10/0"}, "X must be a whole number"},
      {{"2/\x1b]0;x\x07/1"}, "'2/\\x1b]0;x\\x07/1' is not a place"},
      {{plain}, "does not say where it was taken"},
      {{notPng}, "it is not a PNG file"},
      {{"/nonexistent/x.png"}, "No such file or directory"},
      {{"--continue", "2/1/1"}, "not both"},
      {{"2/1/1", "2/3/3"}, "2/3/3"},
      {{"--bogus"}, "--bogus"},
  };
  for (const Case& c : cases) {
    try {
      parse(c.arguments);
      ADD_FAILURE() << c.arguments[0] << " was taken";
    } catch (const CommandLineError& error) {
      EXPECT_NE(std::string(error.what()).find(c.says), std::string::npos) << error.what();
    }
  }
  std::remove(plain.c_str());
  std::remove(notPng.c_str());
}

}  // namespace
}  // namespace glyphverse
