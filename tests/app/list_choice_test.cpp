#include "app/list_choice.h"

#include <gtest/gtest.h>

namespace glyphverse {
namespace {

using Action = ListChoice::Action;

// Removal needs Delete twice in a row; anything between starts over.
TEST(ListChoice, MovesWithinTheListAndRemovesOnlyOnASecondDelete) {
  ListChoice list(3);
  list.setCount(5);
  EXPECT_EQ(list.handleKey(KeyCode::specialKey(KEY_UP)), Action::none);
  EXPECT_EQ(list.chosen(), 0u);
  list.handleKey(KeyCode::specialKey(KEY_PAGE_DOWN));
  EXPECT_EQ(list.chosen(), 3u);
  EXPECT_EQ(list.firstShown(), 3u);
  list.handleKey(KeyCode::specialKey(KEY_END));
  list.handleKey(KeyCode::specialKey(KEY_DOWN));
  EXPECT_EQ(list.chosen(), 4u);

  EXPECT_EQ(list.handleKey(KeyCode::specialKey(KEY_DELETE)), Action::none);
  EXPECT_TRUE(list.confirmingRemoval());
  list.handleKey(KeyCode::specialKey(KEY_UP));
  EXPECT_FALSE(list.confirmingRemoval());
  EXPECT_EQ(list.handleKey(KeyCode::specialKey(KEY_DELETE)), Action::none);
  EXPECT_EQ(list.handleKey(KeyCode::specialKey(KEY_DELETE)), Action::remove);
  EXPECT_EQ(list.chosen(), 3u);

  list.setCount(2);  // the list shrank under the choice
  EXPECT_EQ(list.chosen(), 1u);
  EXPECT_EQ(list.handleKey(KeyCode::character(CHAR_ENTER)), Action::take);
  EXPECT_EQ(list.handleKey(KeyCode::character(CHAR_ESC)), Action::close);
  list.setCount(0);
  EXPECT_EQ(list.handleKey(KeyCode::character(CHAR_ENTER)), Action::none);
}

}  // namespace
}  // namespace glyphverse
