#include "display/sdl/sdl_keys.h"

#include <array>
#include <utility>

namespace glyphverse {
namespace {

struct ScanCodeEntry {
  SDL_Scancode key;
  int scanCode;
};

// The keys whose held state the explorer reads; the keypad digits are the
// arrows whatever the Num Lock state, since the physical key is what counts.
constexpr std::array SCAN_CODE_TABLE = std::to_array<ScanCodeEntry>({
    {SDL_SCANCODE_LSHIFT, SCAN_SHIFT},
    {SDL_SCANCODE_RSHIFT, SCAN_SHIFT},
    {SDL_SCANCODE_LALT, SCAN_ALT},
    {SDL_SCANCODE_RALT, SCAN_ALT},
    {SDL_SCANCODE_SPACE, SCAN_SPACE},
    {SDL_SCANCODE_UP, SCAN_UP},
    {SDL_SCANCODE_KP_8, SCAN_UP},
    {SDL_SCANCODE_LEFT, SCAN_LEFT},
    {SDL_SCANCODE_KP_4, SCAN_LEFT},
    {SDL_SCANCODE_RIGHT, SCAN_RIGHT},
    {SDL_SCANCODE_KP_6, SCAN_RIGHT},
    {SDL_SCANCODE_DOWN, SCAN_DOWN},
    {SDL_SCANCODE_KP_2, SCAN_DOWN},
});

struct SpecialEntry {
  SDL_Keycode key;
  std::uint8_t code;
};

constexpr std::array SPECIAL_TABLE = std::to_array<SpecialEntry>({
    {SDLK_UP, KEY_UP},          {SDLK_DOWN, KEY_DOWN},
    {SDLK_LEFT, KEY_LEFT},      {SDLK_RIGHT, KEY_RIGHT},
    {SDLK_INSERT, KEY_INSERT},  {SDLK_DELETE, KEY_DELETE},
    {SDLK_HOME, KEY_HOME},      {SDLK_END, KEY_END},
    {SDLK_PAGEUP, KEY_PAGE_UP}, {SDLK_PAGEDOWN, KEY_PAGE_DOWN},
    {SDLK_F1, KEY_F1},          {SDLK_F2, KEY_F1 + 1},
    {SDLK_F3, KEY_F1 + 2},      {SDLK_F4, KEY_F1 + 3},
    {SDLK_F5, KEY_F1 + 4},      {SDLK_F6, KEY_F1 + 5},
    {SDLK_F7, KEY_F1 + 6},      {SDLK_F8, KEY_F1 + 7},
    {SDLK_F9, KEY_F1 + 8},      {SDLK_F10, KEY_F1 + 9},
    {SDLK_F12, KEY_F12},
});

}  // namespace

int scanCodeOf(SDL_Scancode key) {
  for (const auto& entry : SCAN_CODE_TABLE) {
    if (entry.key == key) return entry.scanCode;
  }
  return -1;
}

void sampleHeldKeys(const Uint8* sdlState, Keyboard& keys) {
  // Several keys share a scan code (both Shifts, arrow and keypad digit):
  // the code is down while any of them is.
  std::array<bool, Keyboard::SCAN_CODE_COUNT> down{};
  for (const auto& entry : SCAN_CODE_TABLE) {
    if (sdlState[entry.key] != 0) down[static_cast<std::size_t>(entry.scanCode)] = true;
  }
  for (const auto& entry : SCAN_CODE_TABLE) {
    keys.setDown(entry.scanCode, down[static_cast<std::size_t>(entry.scanCode)]);
  }
}

std::optional<KeyCode> keyCodeOfPress(SDL_Keycode key, Uint16 modifiers) {
  switch (key) {
    case SDLK_ESCAPE:
      return KeyCode::character(CHAR_ESC);
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
      return KeyCode::character(CHAR_ENTER);
    case SDLK_BACKSPACE:
      return KeyCode::character(8);
    case SDLK_TAB:
      return KeyCode::character(9);
    default:
      break;
  }
  // Ctrl with a letter types its control character and no text event.
  if ((modifiers & KMOD_CTRL) != 0 && key >= SDLK_a && key <= SDLK_z) {
    return KeyCode::character(static_cast<std::uint8_t>(key - SDLK_a + 1));
  }
  for (const auto& entry : SPECIAL_TABLE) {
    if (entry.key == key) return KeyCode::specialKey(entry.code);
  }
  return std::nullopt;
}

bool isPasteKey(SDL_Keycode key, Uint16 modifiers) {
  const bool ctrl = (modifiers & KMOD_CTRL) != 0;
  const bool shift = (modifiers & KMOD_SHIFT) != 0;
  return (ctrl && key == SDLK_v) || (shift && !ctrl && key == SDLK_INSERT);
}

}  // namespace glyphverse
