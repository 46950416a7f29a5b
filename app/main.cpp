// glyphverse: explore a procedurally generated universe. Takes no arguments;
// Esc ends it with status 0.

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "app/explorer.h"
#include "display/display.h"
#if GLYPHVERSE_WINDOW_BACKEND
#include "display/sdl/sdl_backend.h"
#endif
#include "display/terminal/terminal_backend.h"
#if GLYPHVERSE_SAVES_PICTURES
#include "tools/common/png_io.h"
#endif

int main(int argc, char** argv) {
  using namespace glyphverse;
  // A window when there is a display server, the terminal otherwise.
  std::vector<std::unique_ptr<DisplayBackend>> backends;
#if GLYPHVERSE_WINDOW_BACKEND
  backends.push_back(makeSdlBackend());
#endif
  backends.push_back(std::make_unique<TerminalBackend>());
  Display display(std::move(backends),
                  titleFromProgramPath(argc > 0 && argv[0] != nullptr ? argv[0] : "glyphverse"));
  PictureWriter savePicture;
#if GLYPHVERSE_SAVES_PICTURES
  savePicture = writePng;
#endif
  Explorer explorer(display, START_PLACE, savePicture);
  if (display.surface() == Surface::none) {
    // Without a window or a terminal to read keys from, nothing could ever
    // end the program.
    std::fprintf(stderr,
                 "glyphverse: no window could be opened and standard input is not a terminal; "
                 "run it in a desktop session or in a terminal\n");
    return 1;
  }
  explorer.run();
  display.endProgram(0);
}
