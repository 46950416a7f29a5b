#include "app/command_line.h"

#include <gtest/gtest.h>

#include <png.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "app/picture_place.h"
#include "display/png_io.h"
#include "keep/place_link.h"

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
  std::remove(path.c_str());
  ASSERT_EQ(writePictureOfPlace(path, Image(4, 4, 0xFF102030), place).error, "");
  EXPECT_EQ(parse({path}).start, place);
  // A picture never replaces a file.
  EXPECT_TRUE(writePictureOfPlace(path, Image(4, 4, 0xFF102030), galaxyPlace(5, 6)).taken);
  EXPECT_EQ(parse({path}).start, place);
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

std::string bytesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// A picture whose place another program kept in an international text
// chunk (iTXt), as some do when they save a picture again.
void writeInternationalText(const std::string& path, const std::string& text) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  png_init_io(png, file);
  png_set_IHDR(png, info, 1, 1, 8, PNG_COLOR_TYPE_GRAY, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_text chunk{};
  chunk.compression = PNG_ITXT_COMPRESSION_NONE;
  chunk.key = const_cast<png_charp>(PICTURE_PLACE_KEYWORD);
  chunk.text = const_cast<png_charp>(text.c_str());
  chunk.itxt_length = text.size();
  png_set_text(png, info, &chunk, 1);
  png_write_info(png, info);
  png_byte row[1] = {0};
  png_write_row(png, row);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  std::fclose(file);
}

// In a child with little memory and a deadline: the reading's outcome, or
// "hung" or "crashed".
std::string readInChild(const std::string& path) {
  int pipe[2];
  if (::pipe(pipe) != 0) return "no pipe";
  const pid_t child = ::fork();
  if (child == 0) {
    ::close(pipe[0]);
    ::alarm(5);
#ifndef __SANITIZE_ADDRESS__  // whose shadow memory takes address space of its own
    const rlimit memory{512u << 20, 512u << 20};
    ::setrlimit(RLIMIT_AS, &memory);
#endif
    const PlaceReading reading = placeOfPicture(path);
    const std::string said = reading.place ? placeText(*reading.place) : reading.error;
    (void)::write(pipe[1], said.data(), said.size());
    ::_exit(0);
  }
  ::close(pipe[1]);
  std::string said;
  char buffer[512];
  for (ssize_t n; (n = ::read(pipe[0], buffer, sizeof buffer)) > 0;) said.append(buffer, n);
  ::close(pipe[0]);
  int status = 0;
  ::waitpid(child, &status, 0);
  if (WIFSIGNALED(status)) return WTERMSIG(status) == SIGALRM ? "hung" : "crashed";
  return said;
}

// Pictures that are not what they seem are refused at once, in a few
// words, without waiting for a writer or allocating what a chunk claims.
TEST(CommandLine, HostilePicturesAreRefusedAtOnce) {
  const std::string folder = ::testing::TempDir();
  const std::string small = folder + "small.png";
  ASSERT_EQ(writePng(small, Image(1, 1, 0xFF000000)), "");
  // The signature and the header, then a text chunk that claims 2 GB.
  const std::string claim = folder + "claim.png";
  std::ofstream(claim, std::ios::binary)
      << bytesOf(small).substr(0, 33) + std::string("\x7f\xff\xff\xfftEXtabc", 11);
  const std::string huge = folder + "huge.png";
  ASSERT_EQ(writePng(huge, Image(1, 1, 0xFF000000),
                     {PngText{PICTURE_PLACE_KEYWORD, "2/1/1" + std::string(9 << 20, ' ')}}),
            "");
  const std::string fifo = folder + "fifo.png";
  const std::string link = folder + "link.png";
  std::remove(fifo.c_str());
  std::remove(link.c_str());
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  ASSERT_EQ(::symlink(fifo.c_str(), link.c_str()), 0);

  EXPECT_EQ(bytesOf(claim).size(), 44u);
  EXPECT_NE(readInChild(claim).find("too large"), std::string::npos) << readInChild(claim);
  EXPECT_NE(readInChild(huge).find("too large"), std::string::npos) << readInChild(huge);
  EXPECT_NE(readInChild(fifo).find("not a regular file"), std::string::npos);
  EXPECT_NE(readInChild(link).find("not a regular file"), std::string::npos);

  const std::string international = folder + "itxt.png";
  writeInternationalText(international, "3/1100/2100/4/7");
  EXPECT_EQ(readInChild(international), "3/1100/2100/4/7");
  for (const std::string& path : {small, claim, huge, fifo, link, international}) {
    std::remove(path.c_str());
  }
}

}  // namespace
}  // namespace glyphverse
