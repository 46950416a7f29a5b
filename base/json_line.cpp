#include "base/json_line.h"

#include <cstddef>

namespace glyphverse {
namespace {

// The control character a two-character escape stands for, or 0.
char shortEscaped(char letter) {
  switch (letter) {
    case 'b':
      return '\b';
    case 'f':
      return '\f';
    case 'n':
      return '\n';
    case 'r':
      return '\r';
    case 't':
      return '\t';
    default:
      return 0;
  }
}

}  // namespace

std::string jsonLine(const JsonObject& object) {
  const std::string dumped = object.dump();
  // In valid JSON every backslash starts an escape, so walking the escapes
  // pair by pair finds the short ones exactly.
  std::string out;
  out.reserve(dumped.size());
  for (std::size_t i = 0; i < dumped.size(); ++i) {
    if (dumped[i] != '\\' || i + 1 == dumped.size()) {
      out += dumped[i];
      continue;
    }
    const char letter = dumped[++i];
    if (const char control = shortEscaped(letter); control != 0) {
      static const char HEX[] = "0123456789abcdef";
      out += "\\u00";
      out += HEX[control >> 4];
      out += HEX[control & 0xF];
    } else {
      out += '\\';
      out += letter;
    }
  }
  return out;
}

}  // namespace glyphverse
