// glyphverse: explore a procedurally generated universe. Starts where its
// command line says (--help tells); Esc ends it with status 0.

#include <cstdio>
#include <memory>
#include <utility>
#include <vector>

#include "app/command_line.h"
#include "app/explorer.h"
#include "base/message_text.h"
#include "display/display.h"
#include "gen/places.h"
#include "keep/locations.h"
#include "keep/store_worker.h"
#if GLYPHVERSE_WINDOW_BACKEND
#include "display/sdl/sdl_backend.h"
#endif
#include "display/terminal/terminal_backend.h"
#if GLYPHVERSE_SAVES_PICTURES
#include "app/picture_place.h"
#endif
#if GLYPHVERSE_KEEPS_PLACES
#include "app/catalogue_file.h"
#include "keep/sqlite_store.h"
#endif

namespace {

using namespace glyphverse;

constexpr int BAD_ARGUMENT = 2;

PlaceReading readPictureOfPlace(const std::string& path) {
#if GLYPHVERSE_SAVES_PICTURES
  return placeOfPicture(path);
#else
  return PlaceReading{std::nullopt, "this build cannot read pictures (it has no libpng): " + path};
#endif
}

// The database GLYPHVERSE_DATABASE or the data folder names; runs on the
// store's worker thread.
OpenedStore openExplorerStore(const DatabaseChoice& choice) {
#if GLYPHVERSE_KEEPS_PLACES
  return openChosenStore(choice);
#else
  if (choice.off) return OpenedStore{};
  return OpenedStore{nullptr, "this build keeps no bookmarks (it has no SQLite)"};
#endif
}

// The catalogue --catalogue names, read before anything opens; null with the
// reason in `error`.
std::shared_ptr<const CatalogueList> openCatalogue(const std::string& path, std::string& error) {
#if GLYPHVERSE_KEEPS_PLACES
  return readCatalogueList(path, error);
#else
  error = "this build cannot read catalogues (it has no SQLite): " + path;
  return nullptr;
#endif
}

// Where --continue starts: where the last run ended, else the usual start.
Place lastRunsPlace(StoreWorker& keep) {
  const auto last = keep.call<std::optional<Place>>([](Store& store) { return store.lastPlace(); });
  if (last.ok() && last.value->has_value()) return **last.value;
  std::fprintf(stderr, "glyphverse: --continue: %s; starting at (%d, %d)\n",
               last.ok() ? "no earlier run kept where it ended" : last.error.c_str(), START_X,
               START_Y);
  return galaxyPlace(START_X, START_Y);
}

}  // namespace

int main(int argc, char** argv) {
  ExplorerCommand command;
  try {
    command =
        parseExplorerCommand(std::vector<std::string>(argv + 1, argv + argc), readPictureOfPlace);
  } catch (const CommandLineError& error) {
    std::fprintf(stderr, "glyphverse: %s\nRun 'glyphverse --help' for the places it takes.\n",
                 error.what());
    return BAD_ARGUMENT;
  }
  if (!command.info.empty()) {
    return std::fputs(command.info.c_str(), stdout) >= 0 && std::fflush(stdout) == 0 ? 0 : 1;
  }
  std::shared_ptr<const CatalogueList> catalogue;
  if (!command.catalogue.empty()) {
    std::string error;
    catalogue = openCatalogue(command.catalogue, error);
    if (!catalogue) {
      std::fprintf(stderr, "glyphverse: --catalogue: %s\n", escapeControlBytes(error).c_str());
      return BAD_ARGUMENT;
    }
  }
  // Opened in the background: the window does not wait for the disk.
  const DatabaseChoice database = chooseDatabaseFromEnvironment();
  StoreWorker keep([database] { return openExplorerStore(database); });
  const Place start = command.continueLastRun
                          ? lastRunsPlace(keep)
                          : command.start.value_or(galaxyPlace(START_X, START_Y));

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
  savePicture = writePictureOfPlace;
#endif
  ExplorerServices services;
  services.savePicture = savePicture;
  services.keep = &keep;
  services.catalogue = std::move(catalogue);
  Explorer explorer(display, start, std::move(services));
  if (display.surface() == Surface::none) {
    // Without a window or a terminal to read keys from, nothing could ever
    // end the program.
    std::fprintf(stderr,
                 "glyphverse: no window could be opened and standard input is not a terminal; "
                 "run it in a desktop session or in a terminal\n");
    return 1;
  }
  explorer.run();
  // For --continue. A store that never opened said why when it failed; a
  // save that fails now is said once the window or the terminal is given
  // back, where it can be read.
  const Place end = placeOf(explorer.state());
  const auto saved = keep.call<bool>([end](Store& store) { return store.saveLastPlace(end); });
  keep.finish();
  display.close();
  if (!saved.ok() && !database.off) {
    std::fprintf(stderr, "glyphverse: where this run ended (%s) was not kept for --continue: %s\n",
                 placeText(end).c_str(), saved.error.c_str());
  }
  display.endProgram(0);
}
