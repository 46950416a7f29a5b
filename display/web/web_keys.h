#pragma once
// How a browser's key events become the display's scan codes and queued
// keys, and which of them the page keeps from the browser. Nothing here
// knows the browser itself: the canvas backend hands in each event's fields.

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "display/keyboard.h"

namespace glyphverse {

// The fields of a KeyboardEvent that matter: `code` names the physical key
// ("ArrowUp", "KeyM", "Numpad8"), `key` what it types or does on the
// keyboard's layout ("m", "+", "ArrowUp", "Escape").
struct WebKeyEvent {
  std::string_view code;
  std::string_view key;
  bool ctrl = false;
  bool alt = false;
  bool shift = false;
  bool meta = false;
};

// The set-1 scan code of a physical key the explorer reads held, or -1 for
// the others. Both Shift keys give 42 and both Alt keys 56; the keypad digits
// give the arrows' codes; Backspace gives SCAN_HELD_BY_BACKSPACE.
int scanCodeOfDomCode(std::string_view code);

// What a press queues for the explorer: its character (code page 437), or a
// special key's code; nothing for presses that belong to the browser (with
// Ctrl or Meta, Tab, F5, F11, F12) or that type nothing the font has.
std::optional<KeyCode> queuedKeyOf(const WebKeyEvent& event);

// Whether the page keeps the event from the browser (preventDefault): the
// explorer's own keys, so that Space does not scroll, the arrows with Alt do
// not go back in the history, F1 opens no help page and Alt alone no menu.
// Presses with Ctrl or Meta, and the browser's own keys, always go on.
bool explorerKeepsKey(const WebKeyEvent& event);

// Which scan codes are down, and which were pressed, as a browser reports
// them in events between two services. Keys are told by their `code`; a
// repeated press of a key already down, or the release of one that is not,
// changes nothing held.
class HeldKeyTracker {
 public:
  static constexpr std::size_t KEY_ROOM = 16;  // the physical keys with a scan code fit

  void press(std::string_view code);
  void release(std::string_view code);
  // The tab or the window lost the keyboard: nothing is held any longer.
  void releaseAll();
  // The display's turn: hands `keys` what is down now and the presses since.
  void apply(Keyboard& keys);

 private:
  std::array<bool, KEY_ROOM> down_{};  // by place in the table of physical keys
  std::array<bool, KEY_ROOM> pressed_{};
  bool lostKeyboard_ = false;
};

}  // namespace glyphverse
