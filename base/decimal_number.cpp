#include "base/decimal_number.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string>

namespace glyphverse {
namespace {

// The "C" locale, whatever the process has set: a point is the decimal point.
locale_t cLocale() {
  static const locale_t locale = newlocale(LC_ALL_MASK, "C", locale_t{});
  return locale;
}

// strtod reads more than from_chars does: leading blanks, a plus sign and
// hexadecimal numbers. What from_chars would stop at, or not start on, is
// cut off here.
const char* endOfDecimalSyntax(const char* first, const char* last) {
  const char* at = first;
  if (at != last && *at == '-') ++at;
  if (at == last || *at == '+' || *at == ' ' || (*at >= '\t' && *at <= '\r')) return first;
  if (*at == '0' && at + 1 != last && (at[1] == 'x' || at[1] == 'X')) {
    return at + 1;  // from_chars reads the 0 and stops at the x
  }
  return last;
}

}  // namespace

std::from_chars_result readDecimal(const char* first, const char* last, double& value) {
  const char* syntaxEnd = endOfDecimalSyntax(first, last);
  if (syntaxEnd == first) return {first, std::errc::invalid_argument};
  const std::string text(first, syntaxEnd);  // strtod needs the terminating NUL
  char* end = nullptr;
  errno = 0;
  const double read = strtod_l(text.c_str(), &end, cLocale());
  const int error = errno;
  const char* stop = first + (end - text.c_str());
  if (stop == first) return {first, std::errc::invalid_argument};
  // strtod also reports results that lose precision below the normal range;
  // from_chars only those that overflow or vanish to zero.
  if (error == ERANGE && (std::isinf(read) || read == 0.0)) {
    return {stop, std::errc::result_out_of_range};
  }
  value = read;
  return {stop, std::errc()};
}

}  // namespace glyphverse
