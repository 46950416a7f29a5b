#pragma once
// F12: the visible page saved as a PNG named after the level and position,
// with the place in it, in the user's pictures folder. The page is copied
// and written on a thread of its own, so the frames go on meanwhile; what
// happened is shown on the page for a moment. Pictures asked for while one
// is written wait their turn, one after another.

#include <cstddef>
#include <cstdint>
#include <deque>
#include <functional>
#include <future>
#include <string>

#include "app/status_line.h"
#include "base/output_file.h"
#include "display/display.h"
#include "world/place.h"
#include "world/view_state.h"

namespace glyphverse {

// Writes `image` as a new PNG at `path`, saying that it shows `place`,
// never replacing a file of that name: the outcome says whether it failed,
// why, and whether the name was taken (by another program, meanwhile).
using PictureWriter =
    std::function<NewFileOutcome(const std::string& path, const Image& image, const Place& place)>;

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

// glyphverse-L2-415-10.png in `directory` on the galaxy, and below it with
// the system's galaxy cell too, glyphverse-L3-1100-2100-4-7.png (every
// system is entered at (0, 0)); or -2, -3 … after the name when such a file
// exists already. Another program may take the name before the picture
// does: the writer never replaces, and the next name is tried.
std::string pictureName(const std::string& directory, const Place& place);

class Screenshots {
 public:
  // Pictures waiting for the one being written, at most: a copy of the page
  // each. Beyond them F12 says it is busy.
  static constexpr std::size_t MOST_WAITING = 16;
  // Names tried for one picture while other programs take them first.
  static constexpr int MOST_NAME_TRIES = 100;

  // Without a writer (a build without libpng) F12 says it cannot save.
  explicit Screenshots(PictureWriter writer) : writer_(std::move(writer)) {}
  ~Screenshots() { finish(); }

  // Saves a copy of `page`, a picture of `place`, as soon as the pictures
  // before it are written, and says so.
  void take(const Image& page, const Place& place, double now, StatusLine& status);
  // Once a save is done, says how it went and starts the next.
  void poll(double now, StatusLine& status);
  // Writes every picture asked for, waiting for them.
  void finish();

 private:
  struct Picture {
    Image page;
    Place place;
  };
  void start(Picture picture);
  void startNextWaiting();

  PictureWriter writer_;
  std::future<std::string> saving_;
  std::deque<Picture> waiting_;
};

}  // namespace glyphverse
