#include "app/screenshots.h"

#include <sys/stat.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "app/settings_file.h"
#include "gen/places.h"
#include "keep/locations.h"

namespace glyphverse {
namespace {

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
  // The desktop writes this file; anything else in its place is passed by.
  std::istringstream dirs(readSettingsFile(config + "/user-dirs.dirs").value_or(""));
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

void Screenshots::take(const Image& page, const Place& place, double now, StatusLine& status) {
  if (!writer_) {
    status.show("This build cannot save pictures (it has no libpng).", now);
    return;
  }
  if (!saving_.valid()) {
    status.show("Saving the picture", now);
    start(Picture{page, place});
    return;
  }
  if (waiting_.size() >= MOST_WAITING) {
    status.show("Busy saving pictures: this one was not taken", now);
    return;
  }
  waiting_.push_back(Picture{page, place});
  status.show("Saving the picture after " + std::to_string(waiting_.size()) + " more", now);
}

// The thread gets copies: it shares nothing with the frames that go on,
// which never wait for the disk.
void Screenshots::start(Picture picture) {
  saving_ = std::async(std::launch::async, [writer = writer_, picture = std::move(picture),
                                            environment = pictureEnvironment()] {
    const PicturesFolder folder = picturesFolder(environment);
    if (folder.path.empty()) return std::string("Cannot save the picture: HOME is not set");
    if (folder.make) {
      if (const std::string error = makePrivateDirectories(folder.path); !error.empty()) {
        return "Cannot save the picture: " + error;
      }
    }
    const Position at = positionOn(picture.place);
    for (int tries = 1;; ++tries) {
      const std::string path = pictureName(folder.path, picture.place.viewLevel, at.x, at.y);
      const NewFileOutcome written = writer(path, picture.page, picture.place);
      if (written.error.empty()) return "Saved " + path;
      if (!written.taken || tries == MOST_NAME_TRIES) return written.error;
    }
  });
}

void Screenshots::poll(double now, StatusLine& status) {
  if (!saving_.valid() || saving_.wait_for(std::chrono::seconds(0)) != std::future_status::ready) {
    return;
  }
  status.show(saving_.get(), now);
  startNextWaiting();
}

void Screenshots::finish() {
  while (saving_.valid()) {
    saving_.get();
    startNextWaiting();
  }
}

void Screenshots::startNextWaiting() {
  if (waiting_.empty()) return;
  start(std::move(waiting_.front()));
  waiting_.pop_front();
}

}  // namespace glyphverse
