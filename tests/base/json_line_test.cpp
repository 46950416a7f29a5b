#include "base/json_line.h"

#include <gtest/gtest.h>

namespace glyphverse {

// Keys keep their order; control characters take the \u form even where JSON
// has a shorter one, and an escaped backslash before a letter stays as it is.
TEST(JsonLine, KeepsKeyOrderAndWritesControlsAsUnicodeEscapes) {
  const JsonObject line = {
      {"z", 1}, {"a", "tab\there, line\nbreak, \"quote\", back\\t, caf\xC3\xA9"}, {"flag", false}};
  EXPECT_EQ(
      jsonLine(line),
      R"({"z":1,"a":"tab\u0009here, line\u000abreak, \"quote\", back\\t, café","flag":false})");
}

}  // namespace glyphverse
