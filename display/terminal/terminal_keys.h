#pragma once
// How the bytes a terminal sends for keys become queued keys and pressed scan
// codes. No I/O here: the caller reads the bytes and says when they came.
//
// The Esc key and the start of an escape sequence are the same byte, so an
// Esc waits: bytes that follow it continue a sequence, and only an Esc that
// nothing followed for ESCAPE_TIMEOUT_SECONDS is the Esc key. The timeout is
// judged by flush, never by feed, so a sequence whose bytes came in separate
// reads still joins up even when the program was busy between the reads.
//
// Mouse reports and pasted text are not keys, so a click or a paste cannot
// step a level or quit: a mouse report is dropped, and a bracketed paste
// comes whole as text of its own.
//
// A terminal sends a held key as repeated presses. An F12 within
// KEY_REPEAT_SECONDS of the last one is marked as a repeat, so a held F12
// is one press.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/keyboard.h"

namespace glyphverse {

struct TerminalKeyEvent {
  KeyCode key;
  // Scan codes this press holds down, ascending: the key's own (arrows,
  // Space) and the modifiers the terminal reported.
  std::vector<int> scanCodes;
  // A paste's text as code-page-437 codes, in place of a key (tabs and line
  // breaks kept); empty for a key.
  std::string pasted;

  friend bool operator==(const TerminalKeyEvent&, const TerminalKeyEvent&) = default;
};

class TerminalKeyParser {
 public:
  // A gap this long after an Esc means the Esc key itself. Terminals send a
  // sequence in one write, but a slow link can spread its bytes out; editors
  // wait about this long too.
  static constexpr double ESCAPE_TIMEOUT_SECONDS = 0.1;
  // A paste whose end marker never comes ends after this long without bytes.
  static constexpr double PASTE_TIMEOUT_SECONDS = 1.0;
  // Key sequences are short. Beyond this the rest is skipped up to the final
  // byte, so no stream of bytes can grow the parser without bound.
  static constexpr std::size_t MAX_SEQUENCE_BYTES = 32;
  // A paste keeps this much of its start; no prompt takes more.
  static constexpr std::size_t MAX_PASTE_BYTES = 4096;
  // Terminals repeat a held key every 30 to 50 ms; two presses by hand
  // seldom come this close.
  static constexpr double KEY_REPEAT_SECONDS = 0.25;

  // The keys that `bytes`, read at `now`, complete. Bytes that may begin a
  // longer sequence or character wait for the next feed or flush.
  std::vector<TerminalKeyEvent> feed(std::string_view bytes, double now);
  // Once ESCAPE_TIMEOUT_SECONDS have passed since the last bytes, the waiting
  // bytes are settled: a lone Esc becomes the Esc key, an unfinished
  // sequence or character is dropped.
  std::vector<TerminalKeyEvent> flush(double now);
  // True while bytes wait for the rest of a sequence or character.
  bool waiting() const { return state_ != State::ground; }

 private:
  enum class State { ground, escape, csi, ss3, linuxFunction, utf8, mouseReport, paste };

  void consume(std::uint8_t byte);
  void typed(std::uint8_t byte, bool alt);
  void afterEscape(std::uint8_t byte);
  void inSequence(std::uint8_t byte);
  void afterLinuxFunction(std::uint8_t byte);
  void finishSequence(std::uint8_t finalByte);
  void startUtf8(std::uint8_t lead, bool alt);
  void continueUtf8(std::uint8_t byte);
  void inPaste(std::uint8_t byte);
  void endPaste();
  void settleTimedOut();
  void reset();
  void emit(KeyCode key, bool alt, std::vector<int> scanCodes = {});

  State state_ = State::ground;
  // ESC ESC: Alt on the sequence that follows, or else two Esc keys.
  bool escapeDoubled_ = false;
  std::string sequence_;  // parameter and intermediate bytes of a sequence
  bool sequenceTooLong_ = false;
  std::string utf8_;
  std::size_t utf8Length_ = 0;
  bool utf8Alt_ = false;
  int mouseBytesLeft_ = 0;
  std::size_t pasteEndMatched_ = 0;
  bool pasteStarts_ = false;
  std::string pasted_;  // the paste's bytes so far
  double lastBytesAt_ = 0.0;
  double now_ = 0.0;  // when the bytes being read came
  std::optional<double> lastF12At_;
  std::vector<TerminalKeyEvent> events_;
};

}  // namespace glyphverse
