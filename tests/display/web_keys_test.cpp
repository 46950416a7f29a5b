#include "display/web/web_keys.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

WebKeyEvent press(std::string_view code, std::string_view key) {
  return WebKeyEvent{code, key};
}

WebKeyEvent withCtrl(WebKeyEvent event) {
  event.ctrl = true;
  return event;
}

WebKeyEvent withAlt(WebKeyEvent event) {
  event.alt = true;
  return event;
}

TEST(WebKeys, PhysicalKeysGiveTheWindowsScanCodes) {
  EXPECT_EQ(scanCodeOfDomCode("ArrowUp"), SCAN_UP);
  EXPECT_EQ(scanCodeOfDomCode("Numpad8"), SCAN_UP);
  EXPECT_EQ(scanCodeOfDomCode("Numpad6"), SCAN_RIGHT);
  EXPECT_EQ(scanCodeOfDomCode("ShiftRight"), SCAN_SHIFT);
  EXPECT_EQ(scanCodeOfDomCode("AltLeft"), SCAN_ALT);
  EXPECT_EQ(scanCodeOfDomCode("Backspace"), SCAN_ALT);  // up a level where Alt is taken
  EXPECT_EQ(scanCodeOfDomCode("Space"), SCAN_SPACE);
  EXPECT_EQ(scanCodeOfDomCode("Lang1"), -1);
}

TEST(WebKeys, PressesQueueWhatTheyType) {
  EXPECT_EQ(queuedKeyOf(press("KeyM", "m")), KeyCode::character('m'));
  EXPECT_EQ(queuedKeyOf(press("Equal", "+")), KeyCode::character('+'));
  EXPECT_EQ(queuedKeyOf(press("Digit7", "7")), KeyCode::character('7'));
  EXPECT_EQ(queuedKeyOf(press("Space", " ")), KeyCode::character(' '));
  EXPECT_EQ(queuedKeyOf(press("Quote", "\xC3\xA9")), KeyCode::character(130));  // e acute
  EXPECT_EQ(queuedKeyOf(press("Escape", "Escape")), KeyCode::character(CHAR_ESC));
  EXPECT_EQ(queuedKeyOf(press("NumpadEnter", "Enter")), KeyCode::character(CHAR_ENTER));
  EXPECT_EQ(queuedKeyOf(press("Backspace", "Backspace")), KeyCode::character(8));
  EXPECT_EQ(queuedKeyOf(press("ArrowUp", "ArrowUp")), KeyCode::specialKey(KEY_UP));
  EXPECT_EQ(queuedKeyOf(press("Numpad4", "ArrowLeft")), KeyCode::specialKey(KEY_LEFT));
  EXPECT_EQ(queuedKeyOf(press("F1", "F1")), KeyCode::specialKey(KEY_F1));
  // The browser's, and keys that type nothing the font has.
  EXPECT_FALSE(queuedKeyOf(withCtrl(press("KeyR", "r"))));
  EXPECT_FALSE(queuedKeyOf(withAlt(press("KeyD", "d"))));
  EXPECT_FALSE(queuedKeyOf(press("F5", "F5")));
  EXPECT_FALSE(queuedKeyOf(press("F12", "F12")));
  EXPECT_FALSE(queuedKeyOf(press("Tab", "Tab")));
  EXPECT_FALSE(queuedKeyOf(press("ShiftLeft", "Shift")));
  EXPECT_FALSE(queuedKeyOf(press("BracketLeft", "Dead")));
  EXPECT_FALSE(queuedKeyOf(press("KeyA", "\xE2\x82\xAC")));  // the euro sign
}

TEST(WebKeys, TheExplorersKeysAreKeptFromTheBrowserItsShortcutsAreNot) {
  for (const WebKeyEvent& kept :
       {press("Space", " "), press("ArrowDown", "ArrowDown"),
        withAlt(press("ArrowLeft", "ArrowLeft")), press("AltLeft", "Alt"),
        press("ShiftLeft", "Shift"), press("Backspace", "Backspace"), press("F1", "F1"),
        press("KeyM", "m"), press("Escape", "Escape")}) {
    EXPECT_TRUE(explorerKeepsKey(kept)) << kept.code;
  }
  for (const WebKeyEvent& passed :
       {withCtrl(press("KeyR", "r")), withCtrl(press("ArrowLeft", "ArrowLeft")),
        WebKeyEvent{"KeyC", "c", false, false, false, true}, withAlt(press("KeyD", "d")),
        press("F5", "F5"), press("F11", "F11"), press("F12", "F12"), press("Tab", "Tab")}) {
    EXPECT_FALSE(explorerKeepsKey(passed)) << passed.code;
  }
}

// A tap between two services reaches the keyboard as a press.
TEST(HeldKeyTracker, ATapIsHeldForTheNextFrameOnly) {
  HeldKeyTracker tracker;
  Keyboard keys;
  tracker.press("ArrowRight");
  tracker.release("ArrowRight");  // before any frame looked
  tracker.apply(keys);
  keys.sampleForFrame();
  EXPECT_TRUE(keys.isDown(SCAN_RIGHT));
  tracker.apply(keys);
  keys.sampleForFrame();  // the next frame
  EXPECT_FALSE(keys.isDown(SCAN_RIGHT));
}

TEST(HeldKeyTracker, KeysSharingACodeHoldItUntilBothAreUp) {
  HeldKeyTracker tracker;
  Keyboard keys;
  tracker.press("ShiftLeft");
  tracker.press("ShiftRight");
  tracker.press("ShiftRight");  // a repeat
  tracker.release("ShiftLeft");
  for (int frame = 0; frame < 3; ++frame) {
    tracker.apply(keys);
    keys.sampleForFrame();
  }
  EXPECT_TRUE(keys.isDown(SCAN_SHIFT));
  tracker.release("ShiftRight");
  tracker.apply(keys);
  EXPECT_FALSE(keys.isDown(SCAN_SHIFT));
}

TEST(HeldKeyTracker, LosingTheKeyboardReleasesEverything) {
  HeldKeyTracker tracker;
  Keyboard keys;
  tracker.press("ArrowUp");
  tracker.press("Space");
  tracker.releaseAll();  // blur: the releases will never be reported
  tracker.apply(keys);
  EXPECT_FALSE(keys.isDown(SCAN_UP));
  EXPECT_FALSE(keys.isDown(SCAN_SPACE));
}

}  // namespace
}  // namespace glyphverse
