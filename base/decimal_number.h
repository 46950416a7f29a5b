#pragma once
// Decimal numbers read as std::from_chars reads a double in its general
// format, for standard libraries that have only the integer from_chars (the
// WebAssembly build's): the same texts accepted, the same errors, and the
// value correctly rounded, so every build reads a number the same way.

#include <charconv>

namespace glyphverse {

// Reads [first, last): an optional minus sign, then digits with an optional
// point and exponent, or "inf", "infinity", "nan" (any case). No blanks, plus
// sign or hexadecimal. Returns where reading stopped and std::errc() on
// success; errc::invalid_argument when nothing could be read;
// errc::result_out_of_range when the number overflows or becomes zero
// without being zero. `value` changes only on success.
std::from_chars_result readDecimal(const char* first, const char* last, double& value);

}  // namespace glyphverse
