#pragma once
// F12: the visible page saved as a PNG named after the level and position,
// in the user's pictures directory (or the current one). The page is copied
// and written on a thread of its own, so the frames go on meanwhile; what
// happened is shown on the page for a moment.

#include <cstdint>
#include <functional>
#include <future>
#include <string>

#include "display/display.h"
#include "world/view_state.h"

namespace glyphverse {

// Writes `image` as a PNG at `path`; returns "" or the reason it failed.
using PictureWriter = std::function<std::string(const std::string& path, const Image& image)>;

// Where pictures go: XDG_PICTURES_DIR of the user's user-dirs.dirs when that
// directory exists, else the current directory ("").
std::string picturesDirectory(const char* home, const char* configHome);

// glyphverse-L2-415-10.png in `directory`, or -2, -3 … after the name when
// such a file exists already.
std::string pictureName(const std::string& directory, std::int32_t viewLevel, std::int32_t x,
                        std::int32_t y);

class Screenshots {
 public:
  static constexpr double MESSAGE_SECONDS = 3.0;

  // Without a writer (a build without libpng) F12 says it cannot save.
  explicit Screenshots(PictureWriter writer) : writer_(std::move(writer)) {}
  ~Screenshots() { finish(); }

  // Starts saving a copy of `page` for the explorer at `state`.
  void take(const Image& page, const ViewState& state, double now);
  // Prints what the last save did on the bottom row, while it is recent.
  void showMessage(Display& display, double now);
  // Waits for a save still being written.
  void finish();

 private:
  PictureWriter writer_;
  std::future<std::string> saving_;
  std::string message_;
  double messageSince_ = 0.0;
};

}  // namespace glyphverse
