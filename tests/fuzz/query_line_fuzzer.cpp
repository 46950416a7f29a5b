// libFuzzer target: any bytes as one line of glyphverse-query. An answer is
// one line; a refusal is an "error: " line that carries no raw control byte
// of the input back to a terminal.

#include <charconv>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "tools/query/query.h"

namespace {

// A search's time grows with its radius squared: up to 10 000 is valid but
// takes seconds even without sanitizers. The parsing and answering paths are
// the same at any radius, so the fuzzer keeps to small ones.
constexpr std::int32_t LARGEST_FUZZED_RADIUS = 40;

bool isLargeSearch(std::string_view line) {
  std::vector<std::string_view> fields;
  std::size_t i = 0;
  while (i < line.size() && fields.size() < 4) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t' || line[i] == '\r')) ++i;
    const std::size_t start = i;
    while (i < line.size() && line[i] != ' ' && line[i] != '\t' && line[i] != '\r') ++i;
    if (i > start) fields.push_back(line.substr(start, i - start));
  }
  if (fields.size() < 4 || (fields[0] != "nearest" && fields[0] != "count")) return false;
  std::int32_t radius = 0;
  const auto [end, error] =
      std::from_chars(fields[3].data(), fields[3].data() + fields[3].size(), radius);
  return error == std::errc() && end == fields[3].data() + fields[3].size() &&
         radius > LARGEST_FUZZED_RADIUS;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view line(reinterpret_cast<const char*>(data), size);
  if (line.find('\n') != std::string_view::npos) return -1;  // the tool splits lines first
  if (isLargeSearch(line)) return -1;
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
