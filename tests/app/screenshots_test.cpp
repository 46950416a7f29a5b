#include "app/screenshots.h"

#if GLYPHVERSE_TEST_PICTURES
#include "app/picture_place.h"
#endif

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <barrier>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

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
  EXPECT_EQ(pictureName(pictures, 2, 415, 10), pictures + "/glyphverse-L2-415-10.png");
  std::ofstream(pictures + "/glyphverse-L2-415-10.png") << "x";
  EXPECT_EQ(pictureName(pictures, 2, 415, 10), pictures + "/glyphverse-L2-415-10-2.png");
  std::system(("rm -rf '" + home + "'").c_str());
}

#if GLYPHVERSE_TEST_PICTURES
// Two explorers at the same place, one pictures folder, F12 in both at the
// same moment: each picture gets a name of its own, and each says its own.
TEST(Screenshots, TwoExplorersNeverShareAName) {
  char pattern[] = "/tmp/glyphverse-pictures-XXXXXX";
  const std::string folder = ::mkdtemp(pattern);
  ::setenv("XDG_PICTURES_DIR", folder.c_str(), 1);
  constexpr int ROUNDS = 6;
  std::set<std::string> said;
  for (int round = 0; round < ROUNDS; ++round) {
    std::barrier bothReady(2);
    // Each save's first name is tried by both at once.
    const PictureWriter racing = [&bothReady, first = true](const std::string& path,
                                                            const Image& image,
                                                            const Place& place) mutable {
      if (first) bothReady.arrive_and_wait();
      first = false;
      return writePictureOfPlace(path, image, place);
    };
    Screenshots one(racing), other(racing);
    StatusLine oneSaid, otherSaid;
    one.take(Image(4, 4, 0xFF000000), galaxyPlace(415, 10), 0.0, oneSaid);
    other.take(Image(4, 4, 0xFFFFFFFF), galaxyPlace(415, 10), 0.0, otherSaid);
    for (int wait = 0; wait < 500 && (oneSaid.text().rfind("Saved ", 0) != 0 ||
                                      otherSaid.text().rfind("Saved ", 0) != 0);
         ++wait) {
      one.poll(0.0, oneSaid);
      other.poll(0.0, otherSaid);
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    said.insert(oneSaid.text());
    said.insert(otherSaid.text());
  }
  ::unsetenv("XDG_PICTURES_DIR");
  int files = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++files;
  EXPECT_EQ(files, 2 * ROUNDS);
  EXPECT_EQ(said.size(), 2u * ROUNDS);
  std::filesystem::remove_all(folder);
}
#endif

}  // namespace
}  // namespace glyphverse
