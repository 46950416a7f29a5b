#pragma once
// Numbers typed by hand, read the same way by every program and prompt. A
// whole number is an optional minus and then one or more decimal digits, as
// many as are typed; nothing else (no plus, blanks, other bases or points).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphverse {

bool isWholeNumber(std::string_view text);

// The world coordinate a whole number names: the integer it writes, of any
// size, brought into the world as wrapCoordinate brings it. Nothing when
// `text` is not a whole number.
std::optional<std::int32_t> readCoordinate(std::string_view text);

// A whole number's exact value, or nothing when it is not one or lies
// outside [smallest, largest].
std::optional<std::int64_t> readWholeNumber(std::string_view text, std::int64_t smallest,
                                            std::int64_t largest);

// Why `text` was refused as the field `name`: "X '0x10' is not an integer
// (digits, with a minus for negatives)". `shown` is the text as it may be
// shown, control bytes made harmless.
std::string notWholeNumberMessage(std::string_view name, std::string_view shown);

}  // namespace glyphverse
