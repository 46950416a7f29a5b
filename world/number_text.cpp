#include "world/number_text.h"

#include "world/geometry.h"

namespace glyphverse {
namespace {

std::string_view digitsOf(std::string_view text) {
  return !text.empty() && text.front() == '-' ? text.substr(1) : text;
}

}  // namespace

bool isWholeNumber(std::string_view text) {
  const std::string_view digits = digitsOf(text);
  if (digits.empty()) return false;
  for (const char c : digits) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

// Digit by digit modulo the world's size, so that no length overflows; a
// negative number lands as far below the next multiple as its size is above.
std::optional<std::int32_t> readCoordinate(std::string_view text) {
  if (!isWholeNumber(text)) return std::nullopt;
  std::int64_t rest = 0;
  for (const char c : digitsOf(text)) rest = (rest * 10 + (c - '0')) % WORLD_SIZE;
  const bool negative = text.front() == '-';
  return static_cast<std::int32_t>(negative && rest != 0 ? WORLD_SIZE - rest : rest);
}

std::optional<std::int64_t> readWholeNumber(std::string_view text, std::int64_t smallest,
                                            std::int64_t largest) {
  if (!isWholeNumber(text)) return std::nullopt;
  const bool negative = text.front() == '-';
  // Accumulated on the number's own side of zero, stopping as it leaves the range.
  std::int64_t value = 0;
  for (const char c : digitsOf(text)) {
    const int digit = c - '0';
    if (negative ? value < (smallest + digit) / 10 : value > (largest - digit) / 10) {
      return std::nullopt;
    }
    value = value * 10 + (negative ? -digit : digit);
  }
  if (value < smallest || value > largest) return std::nullopt;
  return value;
}

std::string notWholeNumberMessage(std::string_view name, std::string_view shown) {
  return std::string(name) + " '" + std::string(shown) +
         "' is not an integer (digits, with a minus for negatives)";
}

}  // namespace glyphverse
