#include "app/screenshots.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <fstream>

namespace glyphverse {
namespace {

constexpr Color MESSAGE_COLOR = 0xFFFFFFFF;
constexpr int MESSAGE_ROW = 75;  // below the map

bool isDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

std::string picturesDirectory(const char* home, const char* configHome) {
  const std::string homeDir = home != nullptr ? home : "";
  const std::string config = configHome != nullptr && configHome[0] != '\0'
                                 ? std::string(configHome)
                             : homeDir.empty() ? ""
                                               : homeDir + "/.config";
  std::ifstream dirs(config + "/user-dirs.dirs");
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(dirs, line);) {
    if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
    std::string path = line.substr(key.size(), line.size() - key.size() - 1);
    if (path.rfind("$HOME", 0) == 0) path = homeDir + path.substr(5);
    return isDirectory(path) ? path : "";
  }
  return "";
}

std::string pictureName(const std::string& directory, std::int32_t viewLevel, std::int32_t x,
                        std::int32_t y) {
  const std::string stem = (directory.empty() ? "" : directory + "/") + "glyphverse-L" +
                           std::to_string(viewLevel) + "-" + std::to_string(x) + "-" +
                           std::to_string(y);
  std::string name = stem + ".png";
  for (int n = 2; exists(name); ++n) name = stem + "-" + std::to_string(n) + ".png";
  return name;
}

void Screenshots::take(const Image& page, const ViewState& state, double now) {
  messageSince_ = now;
  if (!writer_) {
    message_ = "This build cannot save pictures (it has no libpng).";
    return;
  }
  if (saving_.valid()) return;  // one at a time; the key again once it is done
  const std::string path =
      pictureName(picturesDirectory(std::getenv("HOME"), std::getenv("XDG_CONFIG_HOME")),
                  state.viewLevel, state.x, state.y);
  message_ = "Saving " + path;
  // The thread gets copies: it shares nothing with the frames that go on.
  saving_ = std::async(std::launch::async, [writer = writer_, path, image = page] {
    const std::string error = writer(path, image);
    return error.empty() ? "Saved " + path : error;
  });
}

void Screenshots::showMessage(Display& display, double now) {
  if (saving_.valid() && saving_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    message_ = saving_.get();
    messageSince_ = now;
  }
  if (message_.empty() || now - messageSince_ > MESSAGE_SECONDS) return;
  display.locateText(MESSAGE_ROW, 1);
  display.setTextColor(MESSAGE_COLOR);
  display.printText(message_.substr(0, 75), false);
}

void Screenshots::finish() {
  if (saving_.valid()) saving_.wait();
}

}  // namespace glyphverse
