#include "display/web/web_keys.h"

#include <algorithm>
#include <array>
#include <string>

#include "display/cp437.h"

namespace glyphverse {
namespace {

struct PhysicalKey {
  std::string_view code;
  int scanCode;
};

// KeyboardEvent.code names, with the scan codes the window gives the same keys.
constexpr auto PHYSICAL_KEYS = std::to_array<PhysicalKey>({
    {"Escape", 1},
    {"Digit1", 2},
    {"Digit2", 3},
    {"Digit3", 4},
    {"Digit4", 5},
    {"Digit5", 6},
    {"Digit6", 7},
    {"Digit7", 8},
    {"Digit8", 9},
    {"Digit9", 10},
    {"Digit0", 11},
    {"Minus", 12},
    {"Equal", 13},
    {"Backspace", SCAN_ALT},
    {"Tab", 15},
    {"KeyQ", 16},
    {"KeyW", 17},
    {"KeyE", 18},
    {"KeyR", 19},
    {"KeyT", 20},
    {"KeyY", 21},
    {"KeyU", 22},
    {"KeyI", 23},
    {"KeyO", 24},
    {"KeyP", 25},
    {"BracketLeft", 26},
    {"BracketRight", 27},
    {"Enter", 28},
    {"NumpadEnter", 28},
    {"ControlLeft", 29},
    {"ControlRight", 29},
    {"KeyA", 30},
    {"KeyS", 31},
    {"KeyD", 32},
    {"KeyF", 33},
    {"KeyG", 34},
    {"KeyH", 35},
    {"KeyJ", 36},
    {"KeyK", 37},
    {"KeyL", 38},
    {"Semicolon", 39},
    {"Quote", 40},
    {"Backquote", 41},
    {"ShiftLeft", SCAN_SHIFT},
    {"ShiftRight", SCAN_SHIFT},
    {"Backslash", 43},
    {"KeyZ", 44},
    {"KeyX", 45},
    {"KeyC", 46},
    {"KeyV", 47},
    {"KeyB", 48},
    {"KeyN", 49},
    {"KeyM", 50},
    {"Comma", 51},
    {"Period", 52},
    {"Slash", 53},
    {"NumpadMultiply", 55},
    {"AltLeft", SCAN_ALT},
    {"AltRight", SCAN_ALT},
    {"Space", SCAN_SPACE},
    {"CapsLock", 58},
    {"F1", 59},
    {"F2", 60},
    {"F3", 61},
    {"F4", 62},
    {"F5", 63},
    {"F6", 64},
    {"F7", 65},
    {"F8", 66},
    {"F9", 67},
    {"F10", 68},
    {"NumLock", 69},
    {"ScrollLock", 70},
    {"Home", 71},
    {"Numpad7", 71},
    {"ArrowUp", SCAN_UP},
    {"Numpad8", SCAN_UP},
    {"PageUp", 73},
    {"Numpad9", 73},
    {"NumpadSubtract", 74},
    {"ArrowLeft", SCAN_LEFT},
    {"Numpad4", SCAN_LEFT},
    {"Numpad5", 76},
    {"ArrowRight", SCAN_RIGHT},
    {"Numpad6", SCAN_RIGHT},
    {"NumpadAdd", 78},
    {"End", 79},
    {"Numpad1", 79},
    {"ArrowDown", SCAN_DOWN},
    {"Numpad2", SCAN_DOWN},
    {"PageDown", 81},
    {"Numpad3", 81},
    {"Insert", 82},
    {"Numpad0", 82},
    {"Delete", 83},
    {"NumpadDecimal", 83},
    {"F11", 87},
    {"F12", 88},
});

static_assert(PHYSICAL_KEYS.size() <= 128, "HeldKeyTracker keeps room for 128 physical keys");

// The table's place of a physical key, or -1.
int physicalIndex(std::string_view code) {
  const auto* found = std::find_if(PHYSICAL_KEYS.begin(), PHYSICAL_KEYS.end(),
                                   [code](const PhysicalKey& key) { return key.code == code; });
  return found == PHYSICAL_KEYS.end() ? -1 : static_cast<int>(found - PHYSICAL_KEYS.begin());
}

struct NamedKey {
  std::string_view key;
  KeyCode queued;
};

// KeyboardEvent.key names of the keys that type no character of their own.
constexpr auto NAMED_KEYS = std::to_array<NamedKey>({
    {"Escape", KeyCode::character(CHAR_ESC)},
    {"Enter", KeyCode::character(CHAR_ENTER)},
    {"Backspace", KeyCode::character(8)},
    {"ArrowUp", KeyCode::specialKey(KEY_UP)},
    {"ArrowDown", KeyCode::specialKey(KEY_DOWN)},
    {"ArrowLeft", KeyCode::specialKey(KEY_LEFT)},
    {"ArrowRight", KeyCode::specialKey(KEY_RIGHT)},
    {"Insert", KeyCode::specialKey(KEY_INSERT)},
    {"Delete", KeyCode::specialKey(KEY_DELETE)},
    {"Home", KeyCode::specialKey(KEY_HOME)},
    {"End", KeyCode::specialKey(KEY_END)},
    {"PageUp", KeyCode::specialKey(KEY_PAGE_UP)},
    {"PageDown", KeyCode::specialKey(KEY_PAGE_DOWN)},
    {"F1", KeyCode::specialKey(KEY_F1)},
    {"F2", KeyCode::specialKey(KEY_F1 + 1)},
    {"F3", KeyCode::specialKey(KEY_F1 + 2)},
    {"F4", KeyCode::specialKey(KEY_F1 + 3)},
    {"F6", KeyCode::specialKey(KEY_F1 + 5)},
    {"F7", KeyCode::specialKey(KEY_F1 + 6)},
    {"F8", KeyCode::specialKey(KEY_F1 + 7)},
    {"F9", KeyCode::specialKey(KEY_F1 + 8)},
    {"F10", KeyCode::specialKey(KEY_F1 + 9)},
});

// The browser's own keys, whatever the modifiers: focus, reload, address
// bar, full screen, developer tools.
constexpr std::string_view BROWSER_KEYS[] = {"Tab", "F5", "F6", "F11", "F12"};

bool belongsToBrowser(const WebKeyEvent& event) {
  if (event.ctrl || event.meta) return true;
  return std::find(std::begin(BROWSER_KEYS), std::end(BROWSER_KEYS), event.key) !=
         std::end(BROWSER_KEYS);
}

// The one character that `key` types, or nothing: names such as "Shift" or
// "Dead" are longer than one character.
std::optional<char32_t> typedCharacter(std::string_view key) {
  const std::u32string characters = decodeUtf8(key);
  if (characters.size() != 1) return std::nullopt;
  return characters[0];
}

}  // namespace

int scanCodeOfDomCode(std::string_view code) {
  const int index = physicalIndex(code);
  return index < 0 ? -1 : PHYSICAL_KEYS[static_cast<std::size_t>(index)].scanCode;
}

std::optional<KeyCode> queuedKeyOf(const WebKeyEvent& event) {
  if (belongsToBrowser(event)) return std::nullopt;
  for (const NamedKey& named : NAMED_KEYS) {
    if (named.key == event.key) return named.queued;
  }
  // With Alt a letter is the browser's (its menus); the explorer types none.
  if (event.alt) return std::nullopt;
  const auto character = typedCharacter(event.key);
  if (!character) return std::nullopt;
  const auto code = unicodeToCp437(*character);
  if (!code) return std::nullopt;
  return KeyCode::character(*code);
}

bool explorerKeepsKey(const WebKeyEvent& event) {
  if (belongsToBrowser(event)) return false;
  const int scanCode = scanCodeOfDomCode(event.code);
  // Alt itself, and the keys held to move and change level, with or without it.
  if (scanCode == SCAN_ALT || scanCode == SCAN_SHIFT || scanCode == SCAN_SPACE ||
      scanCode == SCAN_UP || scanCode == SCAN_DOWN || scanCode == SCAN_LEFT ||
      scanCode == SCAN_RIGHT) {
    return true;
  }
  return queuedKeyOf(event).has_value();
}

void HeldKeyTracker::press(std::string_view code) {
  const int index = physicalIndex(code);
  if (index < 0) return;
  down_[static_cast<std::size_t>(index)] = true;
  // One service: a browser's frame has only its flip, never a sleep.
  tapped_[static_cast<std::size_t>(PHYSICAL_KEYS[static_cast<std::size_t>(index)].scanCode)] = 1;
}

void HeldKeyTracker::release(std::string_view code) {
  if (const int index = physicalIndex(code); index >= 0) {
    down_[static_cast<std::size_t>(index)] = false;
  }
}

void HeldKeyTracker::releaseAll() {
  down_.fill(false);
  tapped_.fill(0);
}

void HeldKeyTracker::apply(Keyboard& keys) {
  keys.releaseAll();
  for (std::size_t i = 0; i < PHYSICAL_KEYS.size(); ++i) {
    if (down_[i]) keys.setDown(PHYSICAL_KEYS[i].scanCode, true);
  }
  for (int code = 0; code < COUNT; ++code) {
    auto& left = tapped_[static_cast<std::size_t>(code)];
    if (left == 0) continue;
    keys.setDown(code, true);
    --left;
  }
}

}  // namespace glyphverse
