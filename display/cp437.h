#pragma once
// Code page 437 and Unicode: for typed text coming in from the platform and
// for text going out to a terminal.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphverse {

// The character a code-page-437 code shows (control codes as their pictures;
// 0 as a space).
char32_t cp437ToUnicode(std::uint8_t code);
// The code-page-437 code that types this character, if there is one. Control
// characters have none: they are keys, not text.
std::optional<std::uint8_t> unicodeToCp437(char32_t character);

void appendUtf8(std::string& out, char32_t character);
// Code-page-437 text (names, as the explorer shows them) as UTF-8 for the
// tools' output: codes below 0x80 as they are, controls included, the rest as
// the characters they show.
std::string utf8OfCp437Text(std::string_view codes);
// Decodes UTF-8; malformed bytes become U+FFFD.
std::u32string decodeUtf8(std::string_view text);
// Pasted UTF-8 text as code-page-437 codes: tabs and line breaks kept,
// characters without a code (other controls among them) left out.
std::string pastedTextOf(std::string_view utf8);

}  // namespace glyphverse
