#include "display/terminal/terminal_keys.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "display/cp437.h"

namespace glyphverse {

void PrintTo(const TerminalKeyEvent& event, std::ostream* out) {
  *out << (event.key.special ? "special " : "char ") << int(event.key.code) << " scan{";
  for (const int scanCode : event.scanCodes) *out << ' ' << scanCode;
  *out << " }" << (event.pasted.empty() ? "" : " pasted " + event.pasted);
}

namespace {

using Events = std::vector<TerminalKeyEvent>;

constexpr double TIMEOUT = TerminalKeyParser::ESCAPE_TIMEOUT_SECONDS;

TerminalKeyEvent character(std::uint8_t code, std::vector<int> scanCodes = {}) {
  return {KeyCode::character(code), std::move(scanCodes), {}};
}

TerminalKeyEvent special(std::uint8_t code, std::vector<int> scanCodes = {}) {
  return {KeyCode::specialKey(code), std::move(scanCodes), {}};
}

void append(Events& to, const Events& more) {
  to.insert(to.end(), more.begin(), more.end());
}

// Everything the bytes stand for once the parser has had time to settle.
Events typeAll(TerminalKeyParser& parser, std::string_view bytes) {
  Events events = parser.feed(bytes, 0.0);
  append(events, parser.flush(1.0));
  return events;
}

Events typeAll(std::string_view bytes) {
  TerminalKeyParser parser;
  return typeAll(parser, bytes);
}

struct Case {
  std::string bytes;
  Events expected;
};

void expectCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(typeAll(c.bytes), c.expected) << "bytes: " << testing::PrintToString(c.bytes);
  }
}

TEST(TerminalKeyParser, SingleBytesBecomeTheirKeys) {
  expectCases({
      {"\r", {character(13)}},
      {"\n", {character(13)}},
      {"\x7f", {character(8, {SCAN_ALT})}},  // Backspace: the way back up a level
      {"\b", {character(8, {SCAN_ALT})}},
      {"\t", {character(9)}},
      {"\x01", {character(1)}},
      {"\x1a", {character(26)}},
      {" ", {character(' ', {SCAN_SPACE})}},
      {"a", {character('a')}},
      {"Z", {character('Z')}},
      {"~", {character('~')}},
      {std::string(1, '\0'), {}},
      {"\x1c\x1f", {}},
      {"Hi!", {character('H'), character('i'), character('!')}},
      // The keypad's arrows come as digits: they hold the arrows too.
      {"8462",
       {character('8', {SCAN_UP}), character('4', {SCAN_LEFT}), character('6', {SCAN_RIGHT}),
        character('2', {SCAN_DOWN})}},
      {"5", {character('5')}},
  });
}

TEST(TerminalKeyParser, CompleteSequencesNeedNoFlush) {
  const std::vector<Case> cases = {
      {"\x1b[A", {special(KEY_UP, {SCAN_UP})}},
      {"\x1b[B", {special(KEY_DOWN, {SCAN_DOWN})}},
      {"\x1b[C", {special(KEY_RIGHT, {SCAN_RIGHT})}},
      {"\x1b[D", {special(KEY_LEFT, {SCAN_LEFT})}},
      {"\x1bOA", {special(KEY_UP, {SCAN_UP})}},
      {"\x1bOB", {special(KEY_DOWN, {SCAN_DOWN})}},
      {"\x1bOC", {special(KEY_RIGHT, {SCAN_RIGHT})}},
      {"\x1bOD", {special(KEY_LEFT, {SCAN_LEFT})}},
      {"\x1b[H", {special(KEY_HOME)}},
      {"\x1b[1~", {special(KEY_HOME)}},
      {"\x1b[7~", {special(KEY_HOME)}},
      {"\x1bOH", {special(KEY_HOME)}},
      {"\x1b[F", {special(KEY_END)}},
      {"\x1b[4~", {special(KEY_END)}},
      {"\x1b[8~", {special(KEY_END)}},
      {"\x1bOF", {special(KEY_END)}},
      {"\x1b[2~", {special(KEY_INSERT)}},
      {"\x1b[3~", {special(KEY_DELETE)}},
      {"\x1b[5~", {special(KEY_PAGE_UP)}},
      {"\x1b[6~", {special(KEY_PAGE_DOWN)}},
      {"\x1bOP", {special(59)}},
      {"\x1bOQ", {special(60)}},
      {"\x1bOR", {special(61)}},
      {"\x1bOS", {special(62)}},
      {"\x1b[11~", {special(59)}},
      {"\x1b[12~", {special(60)}},
      {"\x1b[13~", {special(61)}},
      {"\x1b[14~", {special(62)}},
      {"\x1b[15~", {special(63)}},
      {"\x1b[17~", {special(64)}},
      {"\x1b[18~", {special(65)}},
      {"\x1b[19~", {special(66)}},
      {"\x1b[20~", {special(67)}},
      {"\x1b[21~", {special(68)}},
      {"\x1b[[A", {special(59)}},  // the Linux console's F1 and F5
      {"\x1b[[E", {special(63)}},
  };
  for (const Case& c : cases) {
    TerminalKeyParser parser;
    EXPECT_EQ(parser.feed(c.bytes, 0.0), c.expected) << testing::PrintToString(c.bytes);
    EXPECT_FALSE(parser.waiting()) << testing::PrintToString(c.bytes);
  }
}

TEST(TerminalKeyParser, ModifiersHoldShiftAndAlt) {
  expectCases({
      {"\x1b[1;2A", {special(KEY_UP, {SCAN_SHIFT, SCAN_UP})}},
      {"\x1b[1;3B", {special(KEY_DOWN, {SCAN_ALT, SCAN_DOWN})}},
      {"\x1b[1;4C", {special(KEY_RIGHT, {SCAN_SHIFT, SCAN_ALT, SCAN_RIGHT})}},
      {"\x1b[1;5D", {special(KEY_LEFT, {SCAN_LEFT})}},  // Ctrl has no scan code here
      {"\x1b[1;6A", {special(KEY_UP, {SCAN_SHIFT, SCAN_UP})}},
      {"\x1b[1;9A", {special(KEY_UP, {SCAN_ALT, SCAN_UP})}},  // Meta
      {"\x1b[5;2~", {special(KEY_PAGE_UP, {SCAN_SHIFT})}},
      {"\x1b[15;3~", {special(63, {SCAN_ALT})}},
      {"\x1b[1;2P", {special(59, {SCAN_SHIFT})}},
      {"\x1b[1;3H", {special(KEY_HOME, {SCAN_ALT})}},
      {"\x1bO2P", {special(59, {SCAN_SHIFT})}},
      {"\x1bO1;3A", {special(KEY_UP, {SCAN_ALT, SCAN_UP})}},
      // Esc typed just before an arrow is never lost in it.
      {"\x1b\x1b[A", {character(CHAR_ESC), special(KEY_UP, {SCAN_UP})}},
      {"\x1b\x1bOB", {character(CHAR_ESC), special(KEY_DOWN, {SCAN_DOWN})}},
  });
}

TEST(TerminalKeyParser, ArrowSplitAcrossReadsIsNeverEsc) {
  for (const std::string sequence : {"\x1b[A", "\x1bOA", "\x1b[1;2A"}) {
    for (std::size_t split = 1; split < sequence.size(); ++split) {
      TerminalKeyParser parser;
      Events events = parser.feed(sequence.substr(0, split), 0.0);
      append(events, parser.flush(0.005));
      append(events, parser.feed(sequence.substr(split), 0.005));
      append(events, parser.flush(1.0));
      ASSERT_EQ(events.size(), 1u) << testing::PrintToString(sequence) << " split " << split;
      EXPECT_TRUE(events[0].key.special);
      EXPECT_EQ(events[0].key.code, KEY_UP);
    }
  }
}

TEST(TerminalKeyParser, RestOfSequenceReadAfterAStallStillJoins) {
  // The timeout is judged by flush: bytes read late, with no flush in between,
  // still finish the sequence.
  TerminalKeyParser parser;
  EXPECT_TRUE(parser.feed("\x1b", 0.0).empty());
  EXPECT_EQ(parser.feed("[B", 0.5), Events{special(KEY_DOWN, {SCAN_DOWN})});
}

TEST(TerminalKeyParser, LoneEscWaitsForTheTimeout) {
  TerminalKeyParser parser;
  EXPECT_TRUE(parser.feed("\x1b", 2.0).empty());
  EXPECT_TRUE(parser.flush(2.0).empty());
  EXPECT_TRUE(parser.flush(2.0 + TIMEOUT * 0.9).empty());
  EXPECT_TRUE(parser.feed("", 2.0 + TIMEOUT * 0.95).empty());  // no bytes: the wait goes on
  EXPECT_TRUE(parser.waiting());
  EXPECT_EQ(parser.flush(2.0 + TIMEOUT * 1.01), Events{character(CHAR_ESC)});
  EXPECT_FALSE(parser.waiting());
  EXPECT_TRUE(parser.flush(3.0).empty());  // given once only
}

TEST(TerminalKeyParser, EscThenLaterKeysStaySeparate) {
  TerminalKeyParser parser;
  Events events = parser.feed("\x1b", 0.0);
  append(events, parser.flush(0.05));
  append(events, parser.feed("\x1b[A", 0.1));
  append(events, parser.feed("x", 0.2));
  EXPECT_EQ(events, (Events{character(CHAR_ESC), special(KEY_UP, {SCAN_UP}), character('x')}));
}

TEST(TerminalKeyParser, EscapesThatBeginNoSequence) {
  expectCases({
      {"\x1b", {character(CHAR_ESC)}},
      {"\x1b\x1b", {character(CHAR_ESC), character(CHAR_ESC)}},
      {"\x1b\x1b\x1b", {character(CHAR_ESC), character(CHAR_ESC), character(CHAR_ESC)}},
      {"\x1b\x1bx", {character(CHAR_ESC), character('x', {SCAN_ALT})}},
  });
}

TEST(TerminalKeyParser, EscBeforeAKeyIsAlt) {
  expectCases({
      {"\x1bx", {character('x', {SCAN_ALT})}},
      {"\x1bX", {character('X', {SCAN_ALT})}},
      {"\x1b ", {character(' ', {SCAN_ALT, SCAN_SPACE})}},
      {"\x1b\r", {character(13, {SCAN_ALT})}},
      {"\x1b\x7f", {character(8, {SCAN_ALT})}},
      {"\x1b\xc3\xa9", {character(130, {SCAN_ALT})}},  // é
      {"\x1b[", {character('[', {SCAN_ALT})}},         // nothing followed: Alt+[
      {"\x1bO", {character('O', {SCAN_ALT})}},
  });
}

TEST(TerminalKeyParser, UnknownSequencesAreSwallowedWhole) {
  for (const std::string unknown :
       {"\x1b[99~", "\x1b[16~", "\x1b[?1;2c", "\x1b[Z", "\x1b[I", "\x1b[<0;10;20M", "\x1bOx",
        "\x1bO~", "\x1b[[Z", "\x1b[1$A", "\x1b[>1A", "\x1b[1;2", "\x1b[1\x01", "\x1b[1\x7f",
        "\x1b[1\xc3\xa9"}) {
    TerminalKeyParser parser;
    EXPECT_EQ(typeAll(parser, unknown), Events{}) << testing::PrintToString(unknown);
    EXPECT_FALSE(parser.waiting());
    EXPECT_EQ(typeAll(parser, "q"), Events{character('q')}) << testing::PrintToString(unknown);
  }
}

// A slow link spreads an arrow's bytes out; up to the timeout they still join.
TEST(TerminalKeyParser, ArrowBytesSpreadOutByASlowLinkStillJoin) {
  for (const double gap : {0.005, 0.035, 0.080}) {
    TerminalKeyParser parser;
    Events events;
    double now = 10.0;
    for (const char byte : std::string("\x1b[C")) {
      append(events, parser.feed(std::string(1, byte), now));
      now += gap;
      append(events, parser.flush(now));
    }
    append(events, parser.flush(now + 1.0));
    EXPECT_EQ(events, Events{special(KEY_RIGHT, {SCAN_RIGHT})}) << "gap " << gap;
  }
}

// Clicks and pastes are not keys: a mouse report's bytes would read as Space
// (a level step), a pasted space likewise. A paste comes whole as text.
TEST(TerminalKeyParser, MouseReportsAreDroppedAndPastesComeAsText) {
  const auto pasted = [](std::string text) { return TerminalKeyEvent{{}, {}, std::move(text)}; };
  expectCases({
      {"\x1b[M !!q", {character('q')}},
      {"\x1b[M\xff\xff\xffq", {character('q')}},
      {"\x1b[<0;10;20Mq", {character('q')}},
      {"\x1b[200~a b\x1b[A\x1b\x1b[201~q", {pasted("a b[A"), character('q')}},
      {"\x1b[200~ \xc3\xa9\t\x1b[20\x1b[201~ ",
       {pasted(" \x82\t[20"), character(' ', {SCAN_SPACE})}},
  });
  // A paste whose end never comes does not swallow the keys after a pause.
  TerminalKeyParser parser;
  EXPECT_TRUE(parser.feed("\x1b[200~  ", 0.0).empty());
  EXPECT_TRUE(parser.flush(TIMEOUT * 2).empty());
  EXPECT_TRUE(parser.waiting());
  EXPECT_EQ(parser.flush(TerminalKeyParser::PASTE_TIMEOUT_SECONDS * 1.01), Events{pasted("  ")});
  EXPECT_EQ(parser.feed("q", 5.0), Events{character('q')});
}

// A held F12 comes as presses 30 to 50 ms apart: all but the first are repeats.
TEST(TerminalKeyParser, AnF12SoonAfterTheLastIsARepeat) {
  TerminalKeyParser parser;
  std::vector<bool> repeats;
  for (const double at : {0.0, 0.04, 0.08, 0.12, 1.0}) {
    for (const TerminalKeyEvent& event : parser.feed("\x1b[24~", at)) {
      repeats.push_back(event.key.repeat);
    }
  }
  EXPECT_EQ(repeats, (std::vector<bool>{false, true, true, true, false}));
}

TEST(TerminalKeyParser, EscInsideASequenceStartsTheNextOne) {
  EXPECT_EQ(typeAll("\x1b[1;\x1b[B"), Events{special(KEY_DOWN, {SCAN_DOWN})});
  EXPECT_EQ(typeAll("\x1b[[\x1bOC"), Events{special(KEY_RIGHT, {SCAN_RIGHT})});
}

TEST(TerminalKeyParser, OverlongSequencesAreDroppedWithoutSticking) {
  std::string flood = "\x1b[";
  for (int i = 0; i < 1000; ++i) flood += "1;";
  EXPECT_EQ(typeAll(flood + "Aq"), Events{character('q')});

  // Never finished: the timeout ends it.
  TerminalKeyParser parser;
  EXPECT_TRUE(parser.feed(flood, 0.0).empty());
  EXPECT_TRUE(parser.flush(TIMEOUT * 1.01).empty());
  EXPECT_FALSE(parser.waiting());
  EXPECT_EQ(parser.feed("q", 1.0), Events{character('q')});
}

TEST(TerminalKeyParser, Utf8BecomesCodePage437) {
  for (const char32_t unicode : {U'\u00E9', U'\u2591', U'\u00DF', U'\u03C0', U'\u00A3'}) {
    std::string bytes;
    appendUtf8(bytes, unicode);
    const auto code = unicodeToCp437(unicode);
    ASSERT_TRUE(code.has_value());
    for (std::size_t split = 0; split < bytes.size(); ++split) {
      TerminalKeyParser parser;
      Events events = parser.feed(bytes.substr(0, split), 0.0);
      append(events, parser.flush(0.001));
      append(events, parser.feed(bytes.substr(split), 0.001));
      EXPECT_EQ(events, Events{character(*code)}) << int(unicode) << " split " << split;
    }
  }
}

TEST(TerminalKeyParser, CharactersOutsideCodePage437AreDropped) {
  expectCases({
      {"\xe2\x82\xac", {}},                     // euro sign
      {"\xf0\x9f\x98\x80x", {character('x')}},  // an emoji
      {"\xc3x", {character('x')}},              // broken off
      {"\x80\xbfx", {character('x')}},          // continuation bytes alone
      {"\xc3\x1b[A", {special(KEY_UP, {SCAN_UP})}},
  });
  TerminalKeyParser parser;
  EXPECT_TRUE(parser.feed("\xe2\x96", 0.0).empty());
  EXPECT_TRUE(parser.flush(1.0).empty());
  EXPECT_EQ(parser.feed("\x91", 1.0), Events{});  // the timed-out character is gone
}

}  // namespace
}  // namespace glyphverse
