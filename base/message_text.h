#pragma once
// Input echoed in messages: a terminal must never receive the raw bytes of a
// user's input, which may hold escape sequences that retitle or reprogram it.

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphverse {

// Control bytes, DEL and bytes of 128 and above as \xNN, a backslash as \\;
// a newline stays when `keepNewlines` is set.
std::string escapeControlBytes(std::string_view text, bool keepNewlines = false);

// A field of the input as a message shows it: escaped, and cut after
// `maxBytes` bytes of input with "..." in place of the rest.
inline constexpr std::size_t ECHOED_FIELD_BYTES = 40;
// CLI11's messages quote whole arguments: they are cut after this many bytes.
inline constexpr std::size_t CLI_MESSAGE_BYTES = 300;
std::string echoedField(std::string_view field, std::size_t maxBytes = ECHOED_FIELD_BYTES);

}  // namespace glyphverse
