#include "display/sdl/sdl_keys.h"

#include <gtest/gtest.h>

#include <array>

namespace glyphverse {
namespace {

TEST(SdlKeys, TheExplorersKeysGiveTheirScanCodes) {
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_LSHIFT), 42);
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_RSHIFT), 42);
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_LALT), 56);
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_RALT), 56);
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_SPACE), 57);
  const std::array<std::pair<SDL_Scancode, SDL_Scancode>, 4> arrows = {{
      {SDL_SCANCODE_UP, SDL_SCANCODE_KP_8},
      {SDL_SCANCODE_LEFT, SDL_SCANCODE_KP_4},
      {SDL_SCANCODE_RIGHT, SDL_SCANCODE_KP_6},
      {SDL_SCANCODE_DOWN, SDL_SCANCODE_KP_2},
  }};
  const std::array<int, 4> codes = {72, 75, 77, 80};
  for (std::size_t i = 0; i < arrows.size(); ++i) {
    EXPECT_EQ(scanCodeOf(arrows[i].first), codes[i]);
    EXPECT_EQ(scanCodeOf(arrows[i].second), codes[i]);  // keypad, in either Num Lock state
  }
  EXPECT_EQ(scanCodeOf(SDL_SCANCODE_APPLICATION), -1);
}

TEST(SdlKeys, SampledStateHoldsASharedCodeWhileAnyOfItsKeysIsDown) {
  std::array<Uint8, SDL_NUM_SCANCODES> state{};
  Keyboard keys;
  keys.setDown(SCAN_UP, true);  // stale state from before is replaced
  state[SDL_SCANCODE_RSHIFT] = 1;
  state[SDL_SCANCODE_KP_6] = 1;
  sampleHeldKeys(state.data(), keys);
  EXPECT_TRUE(keys.isDown(SCAN_SHIFT));
  EXPECT_TRUE(keys.isDown(SCAN_RIGHT));
  EXPECT_FALSE(keys.isDown(SCAN_UP));
  EXPECT_FALSE(keys.isDown(SCAN_ALT));
}

TEST(SdlKeys, PressesWithoutTextQueueTheirCodes) {
  auto text = [](SDL_Keycode key, Uint16 mod = KMOD_NONE) {
    const auto code = keyCodeOfPress(key, mod);
    if (!code) return std::string("none");
    if (!code->special) return std::string(1, static_cast<char>(code->code));
    return std::string{static_cast<char>(SPECIAL_KEY_MARKER), static_cast<char>(code->code)};
  };
  EXPECT_EQ(text(SDLK_ESCAPE), "\x1B");
  EXPECT_EQ(text(SDLK_RETURN), "\r");
  EXPECT_EQ(text(SDLK_KP_ENTER), "\r");
  EXPECT_EQ(text(SDLK_UP), "\xFFH");
  EXPECT_EQ(text(SDLK_DOWN), "\xFFP");
  EXPECT_EQ(text(SDLK_LEFT), "\xFFK");
  EXPECT_EQ(text(SDLK_RIGHT), "\xFFM");
  EXPECT_EQ(text(SDLK_INSERT), "\xFFR");
  EXPECT_EQ(text(SDLK_DELETE), "\xFFS");
  EXPECT_EQ(text(SDLK_HOME), "\xFFG");
  EXPECT_EQ(text(SDLK_END), "\xFFO");
  EXPECT_EQ(text(SDLK_PAGEUP), "\xFFI");
  EXPECT_EQ(text(SDLK_PAGEDOWN), "\xFFQ");
  EXPECT_EQ(text(SDLK_F1), "\xFF;");  // 59
  EXPECT_EQ(text(SDLK_F10),
            "\xFF"
            "D");  // 68
  EXPECT_EQ(text(SDLK_c, KMOD_LCTRL), "\x03");
  EXPECT_EQ(text(SDLK_a), "none");  // typed text comes from the text event
  EXPECT_EQ(text(SDLK_SPACE), "none");
}

}  // namespace
}  // namespace glyphverse
