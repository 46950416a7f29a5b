#pragma once
// A progress bar for long runs, drawn on standard error when it is a
// terminal; otherwise it writes nothing. The caller decides which runs are
// long enough to be worth watching.

#include <chrono>
#include <cstdint>
#include <string>

namespace glyphverse {

class Progress {
 public:
  // A run of `total` units begins; `label` names it on the bar, drawn at once.
  void start(std::int64_t total, std::string label);
  // `done` of the total units are complete. Cheap enough to call per unit.
  void update(std::int64_t done);
  // The run is over: the bar is cleared.
  void finish();

 private:
  void draw(std::int64_t done);

  bool active_ = false;
  bool drawn_ = false;
  std::int64_t total_ = 0;
  std::string label_;
  std::chrono::steady_clock::time_point nextDraw_;
};

}  // namespace glyphverse
