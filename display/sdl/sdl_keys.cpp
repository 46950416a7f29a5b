#include "display/sdl/sdl_keys.h"

#include <array>
#include <utility>

namespace glyphverse {
namespace {

struct ScanCodeEntry {
  SDL_Scancode key;
  int scanCode;
};

constexpr std::array SCAN_CODE_TABLE = std::to_array<ScanCodeEntry>({
    {SDL_SCANCODE_ESCAPE, 1},
    {SDL_SCANCODE_1, 2},
    {SDL_SCANCODE_2, 3},
    {SDL_SCANCODE_3, 4},
    {SDL_SCANCODE_4, 5},
    {SDL_SCANCODE_5, 6},
    {SDL_SCANCODE_6, 7},
    {SDL_SCANCODE_7, 8},
    {SDL_SCANCODE_8, 9},
    {SDL_SCANCODE_9, 10},
    {SDL_SCANCODE_0, 11},
    {SDL_SCANCODE_MINUS, 12},
    {SDL_SCANCODE_EQUALS, 13},
    {SDL_SCANCODE_BACKSPACE, 14},
    {SDL_SCANCODE_TAB, 15},
    {SDL_SCANCODE_Q, 16},
    {SDL_SCANCODE_W, 17},
    {SDL_SCANCODE_E, 18},
    {SDL_SCANCODE_R, 19},
    {SDL_SCANCODE_T, 20},
    {SDL_SCANCODE_Y, 21},
    {SDL_SCANCODE_U, 22},
    {SDL_SCANCODE_I, 23},
    {SDL_SCANCODE_O, 24},
    {SDL_SCANCODE_P, 25},
    {SDL_SCANCODE_LEFTBRACKET, 26},
    {SDL_SCANCODE_RIGHTBRACKET, 27},
    {SDL_SCANCODE_RETURN, 28},
    {SDL_SCANCODE_KP_ENTER, 28},
    {SDL_SCANCODE_LCTRL, 29},
    {SDL_SCANCODE_RCTRL, 29},
    {SDL_SCANCODE_A, 30},
    {SDL_SCANCODE_S, 31},
    {SDL_SCANCODE_D, 32},
    {SDL_SCANCODE_F, 33},
    {SDL_SCANCODE_G, 34},
    {SDL_SCANCODE_H, 35},
    {SDL_SCANCODE_J, 36},
    {SDL_SCANCODE_K, 37},
    {SDL_SCANCODE_L, 38},
    {SDL_SCANCODE_SEMICOLON, 39},
    {SDL_SCANCODE_APOSTROPHE, 40},
    {SDL_SCANCODE_GRAVE, 41},
    {SDL_SCANCODE_LSHIFT, 42},
    {SDL_SCANCODE_RSHIFT, 42},
    {SDL_SCANCODE_BACKSLASH, 43},
    {SDL_SCANCODE_Z, 44},
    {SDL_SCANCODE_X, 45},
    {SDL_SCANCODE_C, 46},
    {SDL_SCANCODE_V, 47},
    {SDL_SCANCODE_B, 48},
    {SDL_SCANCODE_N, 49},
    {SDL_SCANCODE_M, 50},
    {SDL_SCANCODE_COMMA, 51},
    {SDL_SCANCODE_PERIOD, 52},
    {SDL_SCANCODE_SLASH, 53},
    {SDL_SCANCODE_KP_MULTIPLY, 55},
    {SDL_SCANCODE_LALT, 56},
    {SDL_SCANCODE_RALT, 56},
    {SDL_SCANCODE_SPACE, 57},
    {SDL_SCANCODE_CAPSLOCK, 58},
    {SDL_SCANCODE_F1, 59},
    {SDL_SCANCODE_F2, 60},
    {SDL_SCANCODE_F3, 61},
    {SDL_SCANCODE_F4, 62},
    {SDL_SCANCODE_F5, 63},
    {SDL_SCANCODE_F6, 64},
    {SDL_SCANCODE_F7, 65},
    {SDL_SCANCODE_F8, 66},
    {SDL_SCANCODE_F9, 67},
    {SDL_SCANCODE_F10, 68},
    {SDL_SCANCODE_NUMLOCKCLEAR, 69},
    {SDL_SCANCODE_SCROLLLOCK, 70},
    {SDL_SCANCODE_HOME, 71},
    {SDL_SCANCODE_KP_7, 71},
    {SDL_SCANCODE_UP, 72},
    {SDL_SCANCODE_KP_8, 72},
    {SDL_SCANCODE_PAGEUP, 73},
    {SDL_SCANCODE_KP_9, 73},
    {SDL_SCANCODE_KP_MINUS, 74},
    {SDL_SCANCODE_LEFT, 75},
    {SDL_SCANCODE_KP_4, 75},
    {SDL_SCANCODE_KP_5, 76},
    {SDL_SCANCODE_RIGHT, 77},
    {SDL_SCANCODE_KP_6, 77},
    {SDL_SCANCODE_KP_PLUS, 78},
    {SDL_SCANCODE_END, 79},
    {SDL_SCANCODE_KP_1, 79},
    {SDL_SCANCODE_DOWN, 80},
    {SDL_SCANCODE_KP_2, 80},
    {SDL_SCANCODE_PAGEDOWN, 81},
    {SDL_SCANCODE_KP_3, 81},
    {SDL_SCANCODE_INSERT, 82},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_DELETE, 83},
    {SDL_SCANCODE_KP_PERIOD, 83},
    {SDL_SCANCODE_F11, 87},
    {SDL_SCANCODE_F12, 88},
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
  keys.releaseAll();
  // Several keys share a scan code (both Shifts, arrow and keypad digit):
  // the code is held while any of them is.
  for (const auto& entry : SCAN_CODE_TABLE) {
    if (sdlState[entry.key] != 0) keys.setDown(entry.scanCode, true);
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
