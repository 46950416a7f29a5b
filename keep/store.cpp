#include "keep/store.h"

#include <chrono>

namespace glyphverse {

std::int64_t unixSecondsNow() {
  return std::chrono::duration_cast<std::chrono::seconds>(
             std::chrono::system_clock::now().time_since_epoch())
      .count();
}

}  // namespace glyphverse
