#include "display/number_format.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace glyphverse {
namespace {

constexpr int SIGNIFICANT_DIGITS = 16;

void dropTrailingZeros(std::string& digits) {
  const auto point = digits.find('.');
  if (point == std::string::npos) return;
  const auto last = digits.find_last_not_of('0');
  digits.erase(last == point ? point : last + 1);
}

// Plain digits or exponent notation, without the leading space.
std::string doubleDigits(double value) {
  if (std::isnan(value)) return "nan";
  if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
  if (value == 0.0) return std::signbit(value) ? "-0" : "0";

  // Rounding to 16 significant digits first tells where the leading digit is.
  char scientific[40];
  std::snprintf(scientific, sizeof scientific, "%.*e", SIGNIFICANT_DIGITS - 1, value);
  const std::string_view text(scientific);
  const int exponent = std::atoi(scientific + text.find('e') + 1);

  if (exponent >= -1 && exponent < SIGNIFICANT_DIGITS) {
    char plain[64];
    std::snprintf(plain, sizeof plain, "%.*f", SIGNIFICANT_DIGITS - 1 - exponent, value);
    std::string digits(plain);
    dropTrailingZeros(digits);
    return digits;
  }
  std::string mantissa(text.substr(0, text.find('e')));
  dropTrailingZeros(mantissa);
  return mantissa + std::string(text.substr(text.find('e')));
}

}  // namespace

std::string formatSignedInteger(std::int32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "% d", value);
  return buffer;
}

std::string formatUnsignedByte(std::uint8_t value) {
  char buffer[8];
  std::snprintf(buffer, sizeof buffer, "%u", static_cast<unsigned>(value));
  return buffer;
}

std::string formatDouble(double value) {
  std::string digits = doubleDigits(value);
  return digits.front() == '-' ? digits : " " + digits;
}

}  // namespace glyphverse
