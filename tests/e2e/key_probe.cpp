// A window that reports what the display's keyboard sees, for the real-window
// tests: "77 down" / "77 up" when the Right arrow's held state changes, and
// "key XX [XX]" (hex) for every key read from the queue, "pasted TEXT" for
// every paste. C puts a link on the clipboard ("copied 1" when it could).
// Esc ends it.

#include <cstdio>
#include <optional>

#include "display/display.h"
#include "display/keyboard.h"
#include "display/sdl/sdl_backend.h"

int main(int /*argc*/, char** argv) {
  using namespace glyphverse;
  Display display(makeSdlBackend(), titleFromProgramPath(argv[0]));
  if (display.openScreen(600, 600, 32, 2, 0, 0) != 0) return 3;
  int page = 0;
  bool rightWasDown = false;
  for (;;) {
    display.setPages(page, 1 - page);
    display.clearScreen();
    display.printText("key probe", true);
    const bool rightDown = display.isKeyDown(SCAN_RIGHT);
    if (rightDown != rightWasDown) {
      std::printf("77 %s\n", rightDown ? "down" : "up");
      rightWasDown = rightDown;
    }
    page = 1 - page;
    display.sleepFor(1);
    const std::optional<KeyCode> key = display.nextKey();
    if (key && key->special) {
      std::printf("key %02X %02X\n", SPECIAL_KEY_MARKER, key->code);  // as the queue holds it
    } else if (key) {
      std::printf("key %02X\n", key->code);
    }
    while (const auto pasted = display.keyboard().takePaste()) {
      std::printf("pasted %s\n", pasted->c_str());
    }
    if (key && key->is('c'))
      std::printf("copied %d\n", display.copyToClipboard("glyphverse:2/1100/2100"));
    std::fflush(stdout);
    if (key && key->is('\x1B')) break;
  }
  display.endProgram(0);
}
