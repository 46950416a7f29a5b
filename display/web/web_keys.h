#pragma once
// How a browser's key events become the display's scan codes and queued
// keys, and which of them the page keeps from the browser. Nothing here
// knows the browser itself: the canvas backend hands in each event's fields.

#include <array>
#include <cstdint>
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

// The set-1 scan code of a physical key, or -1. Both Shift keys give 42 and
// both Alt keys 56; the keypad digits give the arrows' codes; Backspace also
// gives 56, since a browser or the desktop around it may keep Alt for itself.
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

// Which scan codes are held. A browser reports presses and releases as
// events between two frames, so a tap can start and end before any frame
// looks: each press is held for the next frame's input at least.
// Keys are told by their `code`; a repeated press of a key already down,
// or the release of one that is not, changes nothing.
class HeldKeyTracker {
 public:
  void press(std::string_view code);
  void release(std::string_view code);
  // The tab or the window lost the keyboard: nothing is held any longer.
  void releaseAll();
  // The display's turn (twice a frame: at the page flip that starts it and
  // at the sleep that ends it): sets `keys` to what is held now.
  void apply(Keyboard& keys);

 private:
  static constexpr int COUNT = Keyboard::SCAN_CODE_COUNT;
  static constexpr int KEY_ROOM = 128;  // more than the physical keys with a scan code
  std::array<bool, KEY_ROOM> down_{};   // by place in the table of physical keys
  // Services a recent press still holds its scan code for.
  std::array<std::uint8_t, COUNT> tapped_{};
};

}  // namespace glyphverse
