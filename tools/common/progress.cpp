#include "tools/common/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cstdio>

namespace glyphverse {
namespace {

constexpr std::chrono::milliseconds REDRAW_EVERY{100};
constexpr int BAR_WIDTH = 30;

}  // namespace

void Progress::start(std::int64_t total, std::string label) {
  active_ = total > 0 && isatty(STDERR_FILENO) == 1;
  drawn_ = false;
  total_ = total;
  label_ = std::move(label);
  nextDraw_ = std::chrono::steady_clock::now() + REDRAW_EVERY;
  if (active_) draw(0);
}

void Progress::update(std::int64_t done) {
  if (!active_) return;
  const auto now = std::chrono::steady_clock::now();
  if (now < nextDraw_) return;
  nextDraw_ = now + REDRAW_EVERY;
  draw(done);
}

void Progress::finish() {
  // Carriage return and erase to the end of the line.
  if (drawn_) std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  active_ = false;
  drawn_ = false;
}

void Progress::draw(std::int64_t done) {
  done = std::clamp<std::int64_t>(done, 0, total_);
  const int filled = static_cast<int>(done * BAR_WIDTH / total_);
  const int percent = static_cast<int>(done * 100 / total_);
  std::fprintf(stderr, "\r%s [%s%s] %3d%% %lld/%lld", label_.c_str(),
               std::string(static_cast<std::size_t>(filled), '#').c_str(),
               std::string(static_cast<std::size_t>(BAR_WIDTH - filled), '.').c_str(), percent,
               static_cast<long long>(done), static_cast<long long>(total_));
  std::fflush(stderr);
  drawn_ = true;
}

}  // namespace glyphverse
