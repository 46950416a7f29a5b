// libFuzzer target: any bytes as a glyphverse-snapshot script. It parses
// within the frame bound, or is refused with a UsageError whose message
// carries no raw control byte of the input.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/snapshot/script.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view script(reinterpret_cast<const char*>(data), size);
  try {
    const auto steps = glyphverse::parseScript(script);
    if (glyphverse::scriptFrames(steps) > glyphverse::MAX_RUN_FRAMES) std::abort();
  } catch (const glyphverse::UsageError& error) {
    for (const char* c = error.what(); *c != '\0'; ++c) {
      if (static_cast<unsigned char>(*c) < 0x20 || *c == 0x7f) std::abort();
    }
  }
  return 0;
}
