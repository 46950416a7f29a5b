// libFuzzer target: any bytes as one line of glyphverse-query. An answer is
// one line; a refusal is an "error: " line that carries no raw control byte
// of the input back to a terminal.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "tools/query/query.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  if (line.find('\n') != std::string_view::npos) return -1;  // the tool splits lines first
  glyphverse::isQueryLine(line);
  const glyphverse::QueryAnswer answer = glyphverse::answerQuery(line);
  if (answer.text.find('\n') != std::string::npos) std::abort();
  if (!answer.ok) {
    if (answer.text.rfind("error: ", 0) != 0) std::abort();
    for (const char c : answer.text) {
      if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) std::abort();
    }
  }
  return 0;
}
