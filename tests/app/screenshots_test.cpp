#include "app/screenshots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace glyphverse {
namespace {

// The user's pictures directory, as user-dirs.dirs names it, or else the
// current one; a picture never takes the name of one already there.
TEST(Screenshots, PicturesGoWhereTheUserKeepsThemUnderANameOfTheirOwn) {
  char pattern[] = "/tmp/glyphverse-home-XXXXXX";
  const std::string home = ::mkdtemp(pattern);
  ::mkdir((home + "/.config").c_str(), 0700);
  EXPECT_EQ(picturesDirectory(home.c_str(), nullptr), "");  // no user-dirs.dirs
  std::ofstream(home + "/.config/user-dirs.dirs")
      << "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  EXPECT_EQ(picturesDirectory(home.c_str(), ""), "");  // named, but not there
  ::mkdir((home + "/Bilder").c_str(), 0700);
  const std::string pictures = picturesDirectory(home.c_str(), "");
  EXPECT_EQ(pictures, home + "/Bilder");

  EXPECT_EQ(pictureName(pictures, 2, 415, 10), pictures + "/glyphverse-L2-415-10.png");
  std::ofstream(pictures + "/glyphverse-L2-415-10.png") << "x";
  EXPECT_EQ(pictureName(pictures, 2, 415, 10), pictures + "/glyphverse-L2-415-10-2.png");
  EXPECT_EQ(pictureName("", 4, 0, 7), "glyphverse-L4-0-7.png");
  std::system(("rm -rf '" + home + "'").c_str());
}

}  // namespace
}  // namespace glyphverse
