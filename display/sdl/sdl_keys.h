#pragma once
// How SDL's keys become the display's scan codes and queued keys.

#include <SDL2/SDL.h>

#include <optional>

#include "display/keyboard.h"

namespace glyphverse {

// The set-1 scan code of a key the explorer reads held, or -1 for the
// others. Both Shift keys give 42 and both Alt keys 56; the keypad digits
// give the arrow codes whatever the Num Lock state, since the physical key
// is what counts.
int scanCodeOf(SDL_Scancode key);

// Sets whether each of those scan codes is down from SDL's keyboard state array.
void sampleHeldKeys(const Uint8* sdlState, Keyboard& keys);

// The queued key for a key press that produces no text event: Esc, Enter,
// Backspace, Tab, Ctrl+letter, and the special keys. Keys that type text are
// queued from the text event instead and give nothing here.
std::optional<KeyCode> keyCodeOfPress(SDL_Keycode key, Uint16 modifiers);

// Ctrl+V and Shift+Insert: the keys that paste the clipboard.
bool isPasteKey(SDL_Keycode key, Uint16 modifiers);

}  // namespace glyphverse
