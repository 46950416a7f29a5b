#include "app/screenshots.h"

#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>

#include "gen/places.h"
#include "keep/locations.h"

namespace glyphverse {
namespace {

constexpr Color MESSAGE_COLOR = 0xFFFFFFFF;
constexpr int MESSAGE_ROW = 75;  // below the map
constexpr std::size_t MESSAGE_COLUMNS = 75;
constexpr std::size_t MESSAGE_ROWS_AT_MOST = 4;  // rows 72 to 75 are clear of the map

bool isDirectory(const std::string& path) {
  struct stat info {};
  return !path.empty() && ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool exists(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0;
}

}  // namespace

PictureEnvironment pictureEnvironment() {
  const auto value = [](const char* name) {
    const char* text = std::getenv(name);
    return std::string(text != nullptr ? text : "");
  };
  return {value("HOME"), value("XDG_CONFIG_HOME"), value("XDG_PICTURES_DIR"),
          value("XDG_DATA_HOME")};
}

namespace {

// XDG_PICTURES_DIR as the environment or user-dirs.dirs names it; "" for none.
std::string desktopPicturesDirectory(const PictureEnvironment& environment) {
  if (!environment.picturesDir.empty()) return environment.picturesDir;
  const std::string config = !environment.configHome.empty() ? environment.configHome
                             : environment.home.empty()      ? ""
                                                             : environment.home + "/.config";
  if (config.empty()) return "";
  std::ifstream dirs(config + "/user-dirs.dirs");
  const std::string key = "XDG_PICTURES_DIR=\"";
  for (std::string line; std::getline(dirs, line);) {
    if (line.rfind(key, 0) != 0 || line.back() != '"') continue;
    std::string path = line.substr(key.size(), line.size() - key.size() - 1);
    if (path.rfind("$HOME", 0) == 0) path = environment.home + path.substr(5);
    return path;
  }
  return "";
}

}  // namespace

PicturesFolder picturesFolder(const PictureEnvironment& environment) {
  if (const std::string desktop = desktopPicturesDirectory(environment); isDirectory(desktop)) {
    return {desktop, false};
  }
  if (!environment.home.empty() && isDirectory(environment.home + "/Pictures")) {
    return {environment.home + "/Pictures", false};
  }
  const std::string data =
      dataDirectory(environment.dataHome.empty() ? nullptr : environment.dataHome.c_str(),
                    environment.home.empty() ? nullptr : environment.home.c_str());
  if (data.empty()) return {};
  return {data + "/pictures", true};
}

std::string pictureName(const std::string& directory, std::int32_t viewLevel, std::int32_t x,
                        std::int32_t y) {
  const std::string stem = directory + "/glyphverse-L" + std::to_string(viewLevel) + "-" +
                           std::to_string(x) + "-" + std::to_string(y);
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
  message_ = "Saving the picture";
  // The thread gets copies: it shares nothing with the frames that go on,
  // which never wait for the disk.
  saving_ = std::async(std::launch::async, [writer = writer_, image = page, place = placeOf(state),
                                            level = state.viewLevel, x = state.x, y = state.y,
                                            environment = pictureEnvironment()] {
    const PicturesFolder folder = picturesFolder(environment);
    if (folder.path.empty()) return std::string("Cannot save the picture: HOME is not set");
    if (folder.make) {
      if (const std::string error = makePrivateDirectories(folder.path); !error.empty()) {
        return "Cannot save the picture: " + error;
      }
    }
    const std::string path = pictureName(folder.path, level, x, y);
    const std::string error = writer(path, image, place);
    return error.empty() ? "Saved " + path : error;
  });
}

void Screenshots::showMessage(Display& display, double now) {
  if (saving_.valid() && saving_.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
    message_ = saving_.get();
    messageSince_ = now;
  }
  if (message_.empty() || now - messageSince_ > MESSAGE_SECONDS) return;
  // Whole rows from the bottom up, so that the message ends on the last row.
  const std::size_t rows = std::min<std::size_t>(
      (message_.size() + MESSAGE_COLUMNS - 1) / MESSAGE_COLUMNS, MESSAGE_ROWS_AT_MOST);
  display.setTextColor(MESSAGE_COLOR);
  for (std::size_t row = 0; row < rows; ++row) {
    display.locateText(MESSAGE_ROW - static_cast<int>(rows - 1 - row), 1);
    display.printText(message_.substr(row * MESSAGE_COLUMNS, MESSAGE_COLUMNS), false);
  }
}

void Screenshots::finish() {
  if (saving_.valid()) saving_.wait();
}

}  // namespace glyphverse
