#pragma once
// F12: the visible page saved as a PNG named after the level and position,
// with the place in it, in the user's pictures folder. The page is copied
// and written on a thread of its own, so the frames go on meanwhile; what
// happened is shown on the page for a moment.

#include <cstdint>
#include <functional>
#include <future>
#include <string>

#include "app/status_line.h"
#include "display/display.h"
#include "world/place.h"
#include "world/view_state.h"

namespace glyphverse {

// Writes `image` as a PNG at `path`, saying that it shows `place`; returns
// "" or the reason it failed.
using PictureWriter =
    std::function<std::string(const std::string& path, const Image& image, const Place& place)>;

// What decides where pictures go; an empty value is an unset variable.
struct PictureEnvironment {
  std::string home;
  std::string configHome;   // XDG_CONFIG_HOME
  std::string picturesDir;  // XDG_PICTURES_DIR
  std::string dataHome;     // XDG_DATA_HOME
};
PictureEnvironment pictureEnvironment();  // this process's

// The folder for pictures: the desktop's pictures folder (XDG_PICTURES_DIR,
// from the environment or else user-dirs.dirs) when it exists, else
// ~/Pictures when it exists, else the data folder's "pictures", which
// `make` says must be made. Never the current folder: "" when there is no
// home at all.
struct PicturesFolder {
  std::string path;
  bool make = false;
};
PicturesFolder picturesFolder(const PictureEnvironment& environment);

// glyphverse-L2-415-10.png in `directory`, or -2, -3 … after the name when
// such a file exists already.
std::string pictureName(const std::string& directory, std::int32_t viewLevel, std::int32_t x,
                        std::int32_t y);

class Screenshots {
 public:
  // Without a writer (a build without libpng) F12 says it cannot save.
  explicit Screenshots(PictureWriter writer) : writer_(std::move(writer)) {}
  ~Screenshots() { finish(); }

  // Starts saving a copy of `page` for the explorer at `state`, and says so.
  void take(const Image& page, const ViewState& state, double now, StatusLine& status);
  // Once the save is done, says how it went.
  void poll(double now, StatusLine& status);
  // Waits for a save still being written.
  void finish();

 private:
  PictureWriter writer_;
  std::future<std::string> saving_;
};

}  // namespace glyphverse
