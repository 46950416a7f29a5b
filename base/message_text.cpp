#include "base/message_text.h"

namespace glyphverse {

std::string escapeControlBytes(std::string_view text, bool keepNewlines) {
  static constexpr char HEX[] = "0123456789abcdef";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\\') {
      out += "\\\\";
    } else if ((byte >= 0x20 && byte < 0x7f) || (keepNewlines && c == '\n')) {
      out += c;
    } else {
      out += "\\x";
      out += HEX[byte >> 4];
      out += HEX[byte & 0xf];
    }
  }
  return out;
}

std::string echoedField(std::string_view field, std::size_t maxBytes) {
  if (field.size() <= maxBytes) return escapeControlBytes(field);
  return escapeControlBytes(field.substr(0, maxBytes)) + "...";
}

}  // namespace glyphverse
