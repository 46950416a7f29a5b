#include "display/keyboard.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

TEST(Keyboard, HeldKeysByScanCode) {
  Keyboard keys;
  keys.setDown(SCAN_RIGHT, true);
  keys.setDown(SCAN_SHIFT, true);
  EXPECT_TRUE(keys.isDown(77));
  EXPECT_TRUE(keys.isDown(42));
  EXPECT_FALSE(keys.isDown(72));
  keys.setDown(128, true);  // outside the table: ignored
  keys.setDown(-1, true);
  EXPECT_FALSE(keys.isDown(128));
  EXPECT_FALSE(keys.isDown(-1));
  keys.releaseAll();
  EXPECT_FALSE(keys.isDown(77));
}

// A key pressed and released between two frame samples is seen held by the
// next one, however often it was reported up meanwhile, and by no later one.
TEST(Keyboard, APressIsHeldThroughTheNextFrameSample) {
  Keyboard keys;
  keys.press(SCAN_UP);
  for (int service = 0; service < 5; ++service) keys.setDown(SCAN_UP, false);
  keys.sampleForFrame();
  EXPECT_TRUE(keys.isDown(SCAN_UP));
  keys.sampleForFrame();
  EXPECT_FALSE(keys.isDown(SCAN_UP));

  keys.setDown(SCAN_LEFT, true);  // pressed and held: down until it is released
  keys.press(SCAN_LEFT);
  keys.sampleForFrame();
  keys.sampleForFrame();
  EXPECT_TRUE(keys.isDown(SCAN_LEFT));
  keys.setDown(SCAN_LEFT, false);
  EXPECT_FALSE(keys.isDown(SCAN_LEFT));
}

TEST(Keyboard, QueueKeepsTheLastFifteenKeys) {
  Keyboard keys;
  for (int i = 1; i <= 20; ++i) keys.push(KeyCode::character(static_cast<std::uint8_t>(i)));
  EXPECT_EQ(keys.waiting(), 15);
  for (int i = 6; i <= 20; ++i) {
    const auto key = keys.pop();
    ASSERT_TRUE(key.has_value());
    EXPECT_EQ(key->code, i);
  }
  EXPECT_FALSE(keys.pop().has_value());
  keys.push(KeyCode::character(27));  // and it keeps working after wrapping round
  EXPECT_EQ(keys.pop(), KeyCode::character(27));
}

// While a line is typed nothing is dropped; a paste waits for the keys
// typed before it.
TEST(Keyboard, KeepsAllKeysForALineAndPastesInTheirPlace) {
  Keyboard keys;
  keys.keepAllKeys(true);
  keys.push(KeyCode::character('/'));
  keys.paste("bright>=150");
  for (int i = 0; i < 40; ++i) keys.push(KeyCode::character('a'));
  EXPECT_FALSE(keys.takePaste());
  EXPECT_EQ(keys.pop(), KeyCode::character('/'));
  EXPECT_EQ(keys.takePaste(), "bright>=150");
  EXPECT_EQ(keys.waiting(), 40);
  keys.keepAllKeys(false);  // outside a line the ring's fifteen, as ever
  EXPECT_EQ(keys.waiting(), 15);
  int read = 0;
  while (keys.pop()) ++read;
  EXPECT_EQ(read, 15);
}

}  // namespace
}  // namespace glyphverse
