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

// KeyboardEvent.code names of the keys whose held state the explorer reads,
// with the scan codes the window gives the same keys.
constexpr auto PHYSICAL_KEYS = std::to_array<PhysicalKey>({
    {"ShiftLeft", SCAN_SHIFT},
    {"ShiftRight", SCAN_SHIFT},
    {"AltLeft", SCAN_ALT},
    {"AltRight", SCAN_ALT},
    {"Backspace", SCAN_HELD_BY_BACKSPACE},
    {"Space", SCAN_SPACE},
    {"ArrowUp", SCAN_UP},
    {"Numpad8", SCAN_UP},
    {"ArrowLeft", SCAN_LEFT},
    {"Numpad4", SCAN_LEFT},
    {"ArrowRight", SCAN_RIGHT},
    {"Numpad6", SCAN_RIGHT},
    {"ArrowDown", SCAN_DOWN},
    {"Numpad2", SCAN_DOWN},
});

static_assert(PHYSICAL_KEYS.size() <= HeldKeyTracker::KEY_ROOM);

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
  pressed_[static_cast<std::size_t>(index)] = true;
}

void HeldKeyTracker::release(std::string_view code) {
  if (const int index = physicalIndex(code); index >= 0) {
    down_[static_cast<std::size_t>(index)] = false;
  }
}

void HeldKeyTracker::releaseAll() {
  down_.fill(false);
  pressed_.fill(false);
  lostKeyboard_ = true;
}

void HeldKeyTracker::apply(Keyboard& keys) {
  if (lostKeyboard_) keys.releaseAll();
  lostKeyboard_ = false;
  // Keys sharing a code (both Shifts, arrow and keypad digit) hold it while
  // any of them is down.
  std::array<bool, Keyboard::SCAN_CODE_COUNT> down{};
  for (std::size_t i = 0; i < PHYSICAL_KEYS.size(); ++i) {
    if (down_[i]) down[static_cast<std::size_t>(PHYSICAL_KEYS[i].scanCode)] = true;
  }
  for (std::size_t i = 0; i < PHYSICAL_KEYS.size(); ++i) {
    const int scanCode = PHYSICAL_KEYS[i].scanCode;
    keys.setDown(scanCode, down[static_cast<std::size_t>(scanCode)]);
    if (pressed_[i]) keys.press(scanCode);
  }
  pressed_.fill(false);
}

}  // namespace glyphverse
