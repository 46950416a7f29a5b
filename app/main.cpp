// glyphverse: explore a procedurally generated universe. Takes no arguments;
// Esc ends it with status 0.

#include <memory>
#include <utility>
#include <vector>

#include "app/explorer.h"
#include "display/terminal/console_backend.h"
#include "display/display.h"
#include "display/sdl/sdl_backend.h"

int main(int argc, char** argv) {
  using namespace glyphverse;
  // A window when there is a display server, the terminal otherwise.
  std::vector<std::unique_ptr<DisplayBackend>> backends;
  backends.push_back(makeSdlBackend());
  backends.push_back(std::make_unique<ConsoleBackend>());
  Display display(std::move(backends),
                  titleFromProgramPath(argc > 0 && argv[0] != nullptr ? argv[0] : "glyphverse"));
  Explorer explorer(display);
  explorer.run();
  display.endProgram(0);
}
