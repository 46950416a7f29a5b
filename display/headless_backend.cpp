#include "display/headless_backend.h"

#include <chrono>
#include <thread>

#include "display/steady_clock.h"

namespace glyphverse {

Surface HeadlessBackend::open(int /*width*/, int /*height*/, const std::string& /*title*/) {
  return Surface::pages;
}

void HeadlessBackend::service(const Shown& /*shown*/, Keyboard& /*keys*/) {}

double HeadlessBackend::seconds() {
  return clock_ != nullptr ? clock_->now : steadySeconds();
}

void HeadlessBackend::sleepMillis(int milliseconds) {
  if (clock_ != nullptr) {
    clock_->now += clock_->secondsPerSleep;
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

}  // namespace glyphverse
