#include "app/screenshots.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>

namespace glyphverse {
namespace {

// The desktop's pictures folder, else ~/Pictures, else a folder of the
// program's data to be made; never the current folder. A picture never takes
// the name of one already there.
TEST(Screenshots, PicturesGoWhereTheUserKeepsThemUnderANameOfTheirOwn) {
  char pattern[] = "/tmp/glyphverse-home-XXXXXX";
  const std::string home = ::mkdtemp(pattern);
  PictureEnvironment environment{home, "", "", ""};
  const auto folder = [&] { return picturesFolder(environment); };
  EXPECT_EQ(folder().path, home + "/.local/share/glyphverse/pictures");
  EXPECT_TRUE(folder().make);
  environment.dataHome = "/data";
  EXPECT_EQ(folder().path, "/data/glyphverse/pictures");

  ::mkdir((home + "/Pictures").c_str(), 0700);
  EXPECT_EQ(folder().path, home + "/Pictures");
  EXPECT_FALSE(folder().make);
  ::mkdir((home + "/.config").c_str(), 0700);
  std::ofstream(home + "/.config/user-dirs.dirs")
      << "# written by xdg-user-dirs-update\nXDG_PICTURES_DIR=\"$HOME/Bilder\"\n";
  EXPECT_EQ(folder().path, home + "/Pictures");  // named, but not there
  ::mkdir((home + "/Bilder").c_str(), 0700);
  EXPECT_EQ(folder().path, home + "/Bilder");
  // Only a regular file of settings is read: a pipe in its place would
  // stall the open, a device the read.
  ::rename((home + "/.config/user-dirs.dirs").c_str(), (home + "/.config/kept").c_str());
  ::mkfifo((home + "/.config/user-dirs.dirs").c_str(), 0600);
  EXPECT_EQ(folder().path, home + "/Pictures");
  ::unlink((home + "/.config/user-dirs.dirs").c_str());
  ::symlink("/dev/zero", (home + "/.config/user-dirs.dirs").c_str());
  EXPECT_EQ(folder().path, home + "/Pictures");
  ::unlink((home + "/.config/user-dirs.dirs").c_str());
  ::rename((home + "/.config/kept").c_str(), (home + "/.config/user-dirs.dirs").c_str());
  environment.picturesDir = home;
  EXPECT_EQ(folder().path, home);
  EXPECT_EQ(picturesFolder(PictureEnvironment{}).path, "");

  const std::string pictures = home + "/Bilder";
  EXPECT_EQ(pictureName(pictures, galaxyPlace(415, 10)), pictures + "/glyphverse-L2-415-10.png");
  std::ofstream(pictures + "/glyphverse-L2-415-10.png") << "x";
  EXPECT_EQ(pictureName(pictures, galaxyPlace(415, 10)), pictures + "/glyphverse-L2-415-10-2.png");
  EXPECT_EQ(pictureName(pictures, Place{SYSTEM_LEVEL, {1100, 2100}, {0, 0}}),
            pictures + "/glyphverse-L3-1100-2100-0-0.png");
  std::system(("rm -rf '" + home + "'").c_str());
}

}  // namespace
}  // namespace glyphverse
