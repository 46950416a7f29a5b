#include "display/terminal/terminal_keys.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "display/cp437.h"

namespace glyphverse {
namespace {

constexpr std::uint8_t ESC = 27;
constexpr std::uint8_t DELETE_BYTE = 127;
constexpr std::uint8_t BACKSPACE = 8;
constexpr int LARGEST_PARAMETER = 9999;  // keeps absurd numbers from overflowing
// A classic mouse report is ESC [ M and three raw bytes (button, column, row).
constexpr int MOUSE_REPORT_BYTES = 3;
// Pasted text comes between ESC [ 200 ~ and this.
constexpr std::string_view PASTE_END = "\x1b[201~";
constexpr int PASTE_START_PARAMETER = 200;

struct SpecialKey {
  std::uint8_t code;
  int scanCode;  // -1: the explorer holds no scan code for it
};

// Parameters of a key sequence: numbers separated by ';', empty ones 0. Any
// other byte (private markers, intermediates) marks a sequence that is no key.
std::optional<std::vector<int>> parseParameters(std::string_view bytes) {
  std::vector<int> numbers;
  if (bytes.empty()) return numbers;
  numbers.push_back(0);
  for (const char c : bytes) {
    if (c == ';') {
      numbers.push_back(0);
    } else if (c >= '0' && c <= '9') {
      numbers.back() = std::min(numbers.back() * 10 + (c - '0'), LARGEST_PARAMETER);
    } else {
      return std::nullopt;
    }
  }
  return numbers;
}

// The keys sent as ESC [ n ~.
std::optional<SpecialKey> tildeKey(int number) {
  switch (number) {
    case 1:
    case 7:
      return SpecialKey{KEY_HOME, -1};
    case 4:
    case 8:
      return SpecialKey{KEY_END, -1};
    case 2:
      return SpecialKey{KEY_INSERT, -1};
    case 3:
      return SpecialKey{KEY_DELETE, -1};
    case 5:
      return SpecialKey{KEY_PAGE_UP, -1};
    case 6:
      return SpecialKey{KEY_PAGE_DOWN, -1};
    default:
      break;
  }
  if (number >= 11 && number <= 15) return SpecialKey{std::uint8_t(KEY_F1 + number - 11), -1};
  if (number >= 17 && number <= 21) return SpecialKey{std::uint8_t(KEY_F1 + 5 + number - 17), -1};
  if (number == 23) return SpecialKey{KEY_F11, -1};
  if (number == 24) return SpecialKey{KEY_F12, -1};
  return std::nullopt;
}

// The key named by a sequence's final byte; '~' keys only come after ESC [.
std::optional<SpecialKey> sequenceKey(std::uint8_t finalByte, int firstParameter, bool csi) {
  switch (finalByte) {
    case 'A':
      return SpecialKey{KEY_UP, SCAN_UP};
    case 'B':
      return SpecialKey{KEY_DOWN, SCAN_DOWN};
    case 'C':
      return SpecialKey{KEY_RIGHT, SCAN_RIGHT};
    case 'D':
      return SpecialKey{KEY_LEFT, SCAN_LEFT};
    case 'H':
      return SpecialKey{KEY_HOME, -1};
    case 'F':
      return SpecialKey{KEY_END, -1};
    case 'P':
    case 'Q':
    case 'R':
    case 'S':
      return SpecialKey{std::uint8_t(KEY_F1 + finalByte - 'P'), -1};
    case '~':
      return csi ? tildeKey(firstParameter) : std::nullopt;
    default:
      return std::nullopt;
  }
}

// The xterm modifier parameter is 1 + a bit set: 1 Shift, 2 Alt, 4 Ctrl, 8
// Meta. It is the second parameter, or after ESC O the only one.
int modifierBits(const std::vector<int>& parameters, bool csi) {
  int modifier = 1;
  if (parameters.size() >= 2) {
    modifier = parameters[1];
  } else if (!csi && parameters.size() == 1) {
    modifier = parameters[0];
  }
  return modifier > 1 ? modifier - 1 : 0;
}

// The arrow's scan code of a keypad digit (8 up, 4 left, 6 right, 2 down), or -1.
int keypadArrowOf(std::uint8_t byte) {
  switch (byte) {
    case '8':
      return SCAN_UP;
    case '4':
      return SCAN_LEFT;
    case '6':
      return SCAN_RIGHT;
    case '2':
      return SCAN_DOWN;
    default:
      return -1;
  }
}

std::size_t utf8LengthOf(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;  // a stray continuation byte or no lead byte at all
}

}  // namespace

std::vector<TerminalKeyEvent> TerminalKeyParser::feed(std::string_view bytes, double now) {
  now_ = now;
  for (const char c : bytes) consume(static_cast<std::uint8_t>(c));
  if (!bytes.empty()) lastBytesAt_ = now;
  return std::exchange(events_, {});
}

std::vector<TerminalKeyEvent> TerminalKeyParser::flush(double now) {
  const double timeout = state_ == State::paste ? PASTE_TIMEOUT_SECONDS : ESCAPE_TIMEOUT_SECONDS;
  if (waiting() && now - lastBytesAt_ >= timeout) settleTimedOut();
  return std::exchange(events_, {});
}

void TerminalKeyParser::consume(std::uint8_t byte) {
  switch (state_) {
    case State::ground:
      typed(byte, false);
      break;
    case State::escape:
      afterEscape(byte);
      break;
    case State::csi:
    case State::ss3:
      inSequence(byte);
      break;
    case State::linuxFunction:
      afterLinuxFunction(byte);
      break;
    case State::utf8:
      continueUtf8(byte);
      break;
    case State::mouseReport:
      if (--mouseBytesLeft_ == 0) reset();
      break;
    case State::paste:
      inPaste(byte);
      break;
  }
}

void TerminalKeyParser::inPaste(std::uint8_t byte) {
  if (byte == static_cast<std::uint8_t>(PASTE_END[pasteEndMatched_])) {
    if (++pasteEndMatched_ == PASTE_END.size()) endPaste();
    return;
  }
  // Bytes that began to look like the end marker were text after all.
  if (pasted_.size() < MAX_PASTE_BYTES) pasted_.append(PASTE_END.substr(0, pasteEndMatched_));
  pasteEndMatched_ = 0;
  if (byte == static_cast<std::uint8_t>(PASTE_END[0])) {
    pasteEndMatched_ = 1;
  } else if (pasted_.size() < MAX_PASTE_BYTES) {
    pasted_.push_back(static_cast<char>(byte));
  }
}

void TerminalKeyParser::endPaste() {
  std::string text = pastedTextOf(pasted_);
  reset();
  if (!text.empty()) events_.push_back(TerminalKeyEvent{KeyCode{}, {}, std::move(text)});
}

void TerminalKeyParser::typed(std::uint8_t byte, bool alt) {
  if (byte == ESC) {
    state_ = State::escape;
    escapeDoubled_ = false;
  } else if (byte >= 0x80) {
    startUtf8(byte, alt);
  } else if (byte == '\r' || byte == '\n') {
    emit(KeyCode::character(CHAR_ENTER), alt);
  } else if (byte == DELETE_BYTE || byte == BACKSPACE) {
    emit(KeyCode::character(BACKSPACE), alt, {SCAN_HELD_BY_BACKSPACE});
  } else if (byte == ' ') {
    emit(KeyCode::character(' '), alt, {SCAN_SPACE});
  } else if (const int arrow = keypadArrowOf(byte); arrow >= 0) {
    // A terminal sends the keypad's arrows as their digits: held, they step
    // as the window's keypad does; typed, they are digits for a prompt.
    emit(KeyCode::character(byte), alt, {arrow});
  } else if (byte > ' ' || (byte >= 1 && byte <= 26)) {
    emit(KeyCode::character(byte), alt);  // printable, or Tab and the Ctrl+letter codes
  }
  // 0 and 28..31 (Ctrl with symbols) stand for no key of ours.
}

void TerminalKeyParser::afterEscape(std::uint8_t byte) {
  if (byte == '[' || byte == 'O') {
    // Esc typed just before a key that sends a sequence is the Esc key: it
    // must never be lost, so the sequence does not take it for Alt.
    if (escapeDoubled_) emit(KeyCode::character(CHAR_ESC), false);
    escapeDoubled_ = false;
    state_ = byte == '[' ? State::csi : State::ss3;
    sequence_.clear();
    sequenceTooLong_ = false;
    return;
  }
  // With two Esc waiting already, the oldest one was a key of its own.
  if (escapeDoubled_) emit(KeyCode::character(CHAR_ESC), false);
  if (byte == ESC) {
    escapeDoubled_ = true;
    return;
  }
  state_ = State::ground;
  typed(byte, true);  // Esc then a key: how terminals send Alt+key
}

void TerminalKeyParser::inSequence(std::uint8_t byte) {
  if (state_ == State::csi && sequence_.empty() && byte == '[') {
    state_ = State::linuxFunction;  // the Linux console's ESC [ [ A .. E
  } else if (state_ == State::csi && sequence_.empty() && byte == 'M') {
    reset();
    state_ = State::mouseReport;
    mouseBytesLeft_ = MOUSE_REPORT_BYTES;
  } else if (byte >= 0x20 && byte <= 0x3F) {
    if (sequence_.size() < MAX_SEQUENCE_BYTES) {
      sequence_.push_back(static_cast<char>(byte));
    } else {
      sequenceTooLong_ = true;
    }
  } else if (byte >= 0x40 && byte <= 0x7E) {
    finishSequence(byte);
    reset();
    if (std::exchange(pasteStarts_, false)) state_ = State::paste;
  } else {
    // No sequence holds this byte: the sequence is dropped with it, and an
    // Esc starts the next one.
    reset();
    if (byte == ESC) consume(byte);
  }
}

void TerminalKeyParser::afterLinuxFunction(std::uint8_t byte) {
  const bool alt = escapeDoubled_;
  reset();
  if (byte >= 'A' && byte <= 'E') {
    emit(KeyCode::specialKey(std::uint8_t(KEY_F1 + byte - 'A')), alt);
  } else if (byte == ESC) {
    consume(byte);
  }
}

void TerminalKeyParser::finishSequence(std::uint8_t finalByte) {
  if (sequenceTooLong_) return;
  const bool csi = state_ == State::csi;
  const auto parameters = parseParameters(sequence_);
  if (!parameters) return;
  const int first = parameters->empty() ? 0 : parameters->front();
  if (csi && finalByte == '~' && first == PASTE_START_PARAMETER) {
    pasteStarts_ = true;
    return;
  }
  const auto key = sequenceKey(finalByte, first, csi);
  if (!key) return;
  const int bits = modifierBits(*parameters, csi);
  std::vector<int> scanCodes;
  if (key->scanCode >= 0) scanCodes.push_back(key->scanCode);
  if ((bits & 1) != 0) scanCodes.push_back(SCAN_SHIFT);
  const bool alt = escapeDoubled_ || (bits & (2 | 8)) != 0;  // Meta counts as Alt
  KeyCode code = KeyCode::specialKey(key->code);
  if (key->code == KEY_F12) {
    code.repeat = lastF12At_ && now_ - *lastF12At_ < KEY_REPEAT_SECONDS;
    lastF12At_ = now_;
  }
  emit(code, alt, std::move(scanCodes));
}

void TerminalKeyParser::startUtf8(std::uint8_t lead, bool alt) {
  utf8Length_ = utf8LengthOf(lead);
  if (utf8Length_ == 0) return;
  utf8_.assign(1, static_cast<char>(lead));
  utf8Alt_ = alt;
  state_ = State::utf8;
}

void TerminalKeyParser::continueUtf8(std::uint8_t byte) {
  if ((byte & 0xC0) != 0x80) {
    reset();  // the character broke off: drop it and read this byte afresh
    consume(byte);
    return;
  }
  utf8_.push_back(static_cast<char>(byte));
  if (utf8_.size() < utf8Length_) return;
  const std::u32string decoded = decodeUtf8(utf8_);
  const bool alt = utf8Alt_;
  reset();
  if (decoded.size() != 1) return;
  if (const auto code = unicodeToCp437(decoded.front())) {
    emit(KeyCode::character(*code), alt);
  }
}

void TerminalKeyParser::settleTimedOut() {
  const State state = state_;
  const bool doubled = escapeDoubled_;
  const bool bareIntroducer = sequence_.empty() && !sequenceTooLong_;
  if (state == State::paste) {  // its end marker was lost: the paste ends here
    endPaste();
    return;
  }
  reset();
  if (state == State::escape) {
    if (doubled) emit(KeyCode::character(CHAR_ESC), false);
    emit(KeyCode::character(CHAR_ESC), false);
  } else if ((state == State::csi || state == State::ss3) && bareIntroducer) {
    // Nothing after ESC [ or ESC O: Alt with '[' or 'O' was typed.
    if (doubled) emit(KeyCode::character(CHAR_ESC), false);
    emit(KeyCode::character(state == State::csi ? '[' : 'O'), true);
  }
}

void TerminalKeyParser::reset() {
  state_ = State::ground;
  escapeDoubled_ = false;
  sequence_.clear();
  sequenceTooLong_ = false;
  utf8_.clear();
  utf8Length_ = 0;
  utf8Alt_ = false;
  mouseBytesLeft_ = 0;
  pasteEndMatched_ = 0;
  pasted_.clear();
}

void TerminalKeyParser::emit(KeyCode key, bool alt, std::vector<int> scanCodes) {
  if (alt) scanCodes.push_back(SCAN_ALT);
  std::sort(scanCodes.begin(), scanCodes.end());
  scanCodes.erase(std::unique(scanCodes.begin(), scanCodes.end()), scanCodes.end());
  events_.push_back(TerminalKeyEvent{key, std::move(scanCodes), {}});
}

}  // namespace glyphverse
