#pragma once
// Held keys by scan code, and the queue of typed keys. Every backend feeds the
// same structure; the program reads it through the display.

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>

namespace glyphverse {

// IBM PC scan codes (set 1 make codes) that the explorer reads; the
// backends map these keys only.
inline constexpr int SCAN_SHIFT = 42;
inline constexpr int SCAN_ALT = 56;
inline constexpr int SCAN_SPACE = 57;
inline constexpr int SCAN_UP = 72;
inline constexpr int SCAN_LEFT = 75;
inline constexpr int SCAN_RIGHT = 77;
inline constexpr int SCAN_DOWN = 80;
// Backspace holds Alt's code too: a terminal never reports a bare Alt, and
// a browser or the desktop around it may keep Alt for itself.
inline constexpr int SCAN_HELD_BY_BACKSPACE = SCAN_ALT;

// Keys without a character of their own are queued as this marker followed by
// a code character.
inline constexpr std::uint8_t SPECIAL_KEY_MARKER = 255;
inline constexpr std::uint8_t KEY_UP = 'H';
inline constexpr std::uint8_t KEY_DOWN = 'P';
inline constexpr std::uint8_t KEY_LEFT = 'K';
inline constexpr std::uint8_t KEY_RIGHT = 'M';
inline constexpr std::uint8_t KEY_INSERT = 'R';
inline constexpr std::uint8_t KEY_DELETE = 'S';
inline constexpr std::uint8_t KEY_HOME = 'G';
inline constexpr std::uint8_t KEY_END = 'O';
inline constexpr std::uint8_t KEY_PAGE_UP = 'I';
inline constexpr std::uint8_t KEY_PAGE_DOWN = 'Q';
inline constexpr std::uint8_t KEY_F1 = 59;    // F1 to F10 are 59 to 68
inline constexpr std::uint8_t KEY_F11 = 133;  // the PC keyboard's extended codes
inline constexpr std::uint8_t KEY_F12 = 134;
inline constexpr std::uint8_t KEY_CLOSE = 'k';  // the window's close button

inline constexpr std::uint8_t CHAR_ESC = 27;
inline constexpr std::uint8_t CHAR_ENTER = 13;

// One queued key: a character (1..255), or a special key's code.
struct KeyCode {
  std::uint8_t code = 0;
  bool special = false;
  // Sent again by the platform while the key is held (where it says so).
  bool repeat = false;

  static constexpr KeyCode character(std::uint8_t c) { return KeyCode{c, false, false}; }
  static constexpr KeyCode specialKey(std::uint8_t c) { return KeyCode{c, true, false}; }
  // The character `c` typed.
  constexpr bool is(char c) const { return !special && code == static_cast<std::uint8_t>(c); }
  // The letter typed in either case (`letter` in lower case).
  constexpr bool isLetter(char letter) const {
    return is(letter) || is(static_cast<char>(letter - 'a' + 'A'));
  }
  constexpr bool isSpecial(std::uint8_t c) const { return special && code == c; }

  friend constexpr bool operator==(const KeyCode&, const KeyCode&) = default;
};

// Which keys are held, by scan code 0 to 127, as sampled for a frame.
class HeldKeys {
 public:
  static constexpr int SCAN_CODE_COUNT = 128;

  // False outside 0..127.
  bool isDown(int scanCode) const {
    return scanCode >= 0 && scanCode < SCAN_CODE_COUNT && down_[scanCode];
  }
  // Ignored outside 0..127.
  void setDown(int scanCode, bool down) {
    if (scanCode >= 0 && scanCode < SCAN_CODE_COUNT) down_[scanCode] = down;
  }
  void releaseAll() { down_.fill(false); }

 private:
  std::array<bool, SCAN_CODE_COUNT> down_{};
};

class Keyboard {
 public:
  static constexpr int SCAN_CODE_COUNT = HeldKeys::SCAN_CODE_COUNT;
  static constexpr int QUEUE_SLOTS = 16;  // one slot stays free: 15 keys wait at most
  // While a line is typed nothing is dropped, up to this many keys: far more
  // than any burst of typing between two frames.
  static constexpr std::size_t TYPED_KEYS_AT_MOST = 4096;
  // Pasted text waiting, in all; a longer paste keeps its start.
  static constexpr std::size_t PASTED_BYTES_AT_MOST = 4096;

  // Held: down now, or pressed and not yet let go (see press).
  bool isDown(int scanCode) const { return held_.isDown(scanCode); }
  const HeldKeys& held() const { return held_; }
  // Whether a key is down, where the platform says so. Ignored outside 0..127.
  void setDown(int scanCode, bool down);
  // A press. However soon the key is released (a terminal never says), it is
  // seen held by the next frame sample, and let go at the one after unless
  // it is down. Ignored outside 0..127.
  void press(int scanCode);
  // The frame reads the held keys now: once per frame, at the page flip that
  // starts it, however often the display is serviced in between.
  void sampleForFrame();
  // Nothing is down or pressed any longer (the keyboard went elsewhere).
  void releaseAll();

  // When 15 keys wait already, the oldest one is dropped (not while all
  // keys are kept).
  void push(KeyCode key);
  std::optional<KeyCode> pop();
  int waiting() const;
  // While a line is typed every key waits to be read, however many come.
  void keepAllKeys(bool keep) { keepAll_ = keep; }

  // Text pasted at this point of the key stream, as code-page-437 codes.
  void paste(std::string text);
  // The oldest paste once every key that came before it has been read.
  std::optional<std::string> takePaste();

 private:
  struct Queued {
    KeyCode key;
    std::uint64_t number = 0;  // keys pushed before it
  };
  struct Pasted {
    std::string text;
    std::uint64_t before = 0;  // keys pushed before it
  };
  // The keys a 16-slot ring would still hold: the newest 15, unless all are kept.
  void dropBeyondRing();

  // Where a press is in its life: waiting for a frame sample, then seen by one.
  enum class Press : std::uint8_t { none, waiting, seen };
  void updateHeld(int scanCode);

  HeldKeys down_;
  std::array<Press, SCAN_CODE_COUNT> presses_{};
  HeldKeys held_;  // down_ or pressed
  std::deque<Queued> queue_;
  std::uint64_t pushed_ = 0;
  bool keepAll_ = false;
  std::deque<Pasted> pastes_;
  std::size_t pastedBytes_ = 0;
};

}  // namespace glyphverse
