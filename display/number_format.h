#pragma once
// How printText writes numbers.

#include <cstdint>
#include <string>

namespace glyphverse {

// "% d": a minus sign or one space, then the digits.
std::string formatSignedInteger(std::int32_t value);
// "%u" of a byte: the digits alone.
std::string formatUnsignedByte(std::uint8_t value);
// 16 significant digits with one space in front of non-negative values.
// Values whose leading digit stands for 10^-1 to 10^15 are written in plain
// digits with trailing zeros (and a bare decimal point) dropped, so whole
// numbers have no decimal point; other values use exponent notation.
std::string formatDouble(double value);

}  // namespace glyphverse
