#include "base/progress.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace glyphverse {
namespace {

// Redrawing more often only flickers.
constexpr std::chrono::milliseconds REDRAW_INTERVAL{100};
constexpr int BAR_WIDTH = 24;

// "35.1 M" for 35 100 000.
std::string withPrefix(double value) {
  static constexpr const char* PREFIXES[] = {"", " k", " M", " G", " T"};
  int p = 0;
  while (value >= 1000.0 && p < 4) {
    value /= 1000.0;
    ++p;
  }
  char text[32];
  std::snprintf(text, sizeof text, value < 100.0 ? "%.1f%s" : "%.0f%s", value, PREFIXES[p]);
  return text;
}

// "0:12", "12:05", "3:02:41".
std::string duration(double seconds) {
  const auto whole = static_cast<long long>(std::ceil(std::max(0.0, seconds)));
  char text[32];
  if (whole >= 3600) {
    std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                  whole % 60);
  } else {
    std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
  }
  return text;
}

}  // namespace

std::string progressLine(std::int64_t done, std::int64_t total, double seconds,
                         std::string_view unit) {
  const double fraction =
      total > 0 ? std::clamp(static_cast<double>(done) / static_cast<double>(total), 0.0, 1.0)
                : 1.0;
  const int filled = static_cast<int>(fraction * BAR_WIDTH);
  std::string line = "[" + std::string(filled, '#') + std::string(BAR_WIDTH - filled, '-') + "]";
  char percent[16];
  std::snprintf(percent, sizeof percent, " %3d%%", static_cast<int>(fraction * 100.0));
  line += percent;
  if (seconds > 0.0 && done > 0) {
    const double rate = static_cast<double>(done) / seconds;
    line += "  " + withPrefix(rate) + " " + std::string(unit) + "/s";
    line += "  " + duration(static_cast<double>(total - done) / rate) + " left";
  }
  return line;
}

ProgressBar::ProgressBar(std::int64_t total, std::string unit, bool enabled,
                         std::chrono::milliseconds firstDraw)
    : total_(total),
      unit_(std::move(unit)),
      enabled_(enabled && ::isatty(STDERR_FILENO) == 1),
      firstDraw_(firstDraw),
      start_(Clock::now()),
      lastDraw_(start_) {}

ProgressBar::~ProgressBar() {
  finish();
}

void ProgressBar::update(std::int64_t done) {
  if (!enabled_) return;
  const Clock::time_point now = Clock::now();
  if (now - start_ < firstDraw_ || (drawn_ && now - lastDraw_ < REDRAW_INTERVAL)) return;
  const double seconds = std::chrono::duration<double>(now - start_).count();
  // Back to the line's start, the bar, then clear whatever a longer bar left.
  std::fprintf(stderr, "\r%s\x1b[K", progressLine(done, total_, seconds, unit_).c_str());
  std::fflush(stderr);
  drawn_ = true;
  lastDraw_ = now;
}

void ProgressBar::finish() {
  if (!drawn_) return;
  std::fprintf(stderr, "\r\x1b[K");
  std::fflush(stderr);
  drawn_ = false;
}

}  // namespace glyphverse
