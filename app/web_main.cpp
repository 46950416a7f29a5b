// glyphverse in a web page: the explorer draws into the page's canvas, one
// frame per animation frame of the browser. The place is kept in the
// address (#2/1100/2100), so a link opens it. Esc ends the explorer and the
// page offers to start it again.

#include <emscripten.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "app/explorer.h"
#include "app/place_address.h"
#include "display/display.h"
#include "display/web/canvas_backend.h"
#include "gen/places.h"
#include "keep/store_worker.h"
#include "keep/web/local_storage_shelf.h"

namespace {

using namespace glyphverse;

// The page's side (web/page.js): the address, its message line, the
// explorer's end and the frame times.
EM_JS(int, readAddress, (char* buffer, int size),
      { return stringToUTF8(glyphversePage.address(), buffer, size); });
EM_JS(void, writeAddress, (const char* text), { glyphversePage.setAddress(UTF8ToString(text)); });
EM_JS(void, tellProblem, (const char* text), { glyphversePage.problem(UTF8ToString(text)); });
EM_JS(void, tellEnded, (), { glyphversePage.ended(); });
EM_JS(void, tellFrameTime, (double milliseconds), { glyphversePage.frameTime(milliseconds); });
// The page's own address without its place: a link to a place adds "#PLACE".
EM_JS(char*, pageAddress, (),
      { return allocateUTF8(location.origin + location.pathname + location.search); });

// A link to a place that anyone with a browser can open.
std::string pageLinkOf(const Place& place) {
  char* address = pageAddress();
  std::string link = std::string(address) + "#" + placeText(place);
  std::free(address);
  return link;
}

// Longer than any place text; a longer address is no place either.
constexpr int ADDRESS_ROOM = 256;

struct Session {
  Display display{makeCanvasBackend("#screen"), "glyphverse"};
  // Bookmarks and visits in the browser's storage: quick, and never locked
  // by another program, so the work runs at once, on the one thread there is.
  StoreWorker keep{openLocalStorageStore, StoreWorker::Runs::onTheCallersThread};
  Explorer explorer;
  AddressUpdates address;

  explicit Session(const Place& start) : explorer(display, start, services()), address(start) {}

  // The page's store and links; searches on the one thread there is.
  ExplorerServices services() {
    ExplorerServices page;
    page.keep = &keep;
    page.linkOf = pageLinkOf;
    page.searchesRun = BackgroundSearch::Runs::onTheCallersThread;
    return page;
  }
};

std::unique_ptr<Session> session;

void write(const std::optional<std::string>& text) {
  if (text) writeAddress(text->c_str());
}

void runFrame() {
  const double start = emscripten_get_now();
  const bool going = session->explorer.runFrame();
  tellFrameTime(emscripten_get_now() - start);
  const Place here = placeOf(session->explorer.state());
  if (going) {
    write(session->address.due(here, start / 1000.0));
    return;
  }
  // Esc: the page stays, showing the last frame, and names where it ended.
  write(session->address.last(here));
  emscripten_cancel_main_loop();
  session.reset();
  tellEnded();
}

// A new explorer at the place the address names.
void start() {
  emscripten_cancel_main_loop();
  session.reset();
  char text[ADDRESS_ROOM + 1] = {};
  // Read as the bytes it has: a NUL in the address (%00) is part of it, and
  // makes it no place, rather than ending it early.
  const int length = readAddress(text, sizeof text);
  const bool fits = length >= 0 && length < ADDRESS_ROOM;
  const AddressStart begin =
      startOfAddress(fits ? std::string_view(text, static_cast<std::size_t>(length)) : "?");
  tellProblem(begin.problem.c_str());
  // An address such as #2/-1/5 is written back as the place's own text.
  if (fits && begin.problem.empty() && text[0] != '\0' && placeText(begin.place) != text) {
    writeAddress(placeText(begin.place).c_str());
  }
  session = std::make_unique<Session>(begin.place);
  // 0 frames a second: the browser's animation frames set the pace.
  emscripten_set_main_loop(runFrame, 0, 0);
}

}  // namespace

// Where the explorer is now, as a place text; "" once it has ended.
extern "C" EMSCRIPTEN_KEEPALIVE const char* glyphverse_place() {
  static std::string text;
  text = session ? placeText(placeOf(session->explorer.state())) : "";
  return text.c_str();
}

// Called by the page: its "Start again" button, and an address changed by hand.
extern "C" EMSCRIPTEN_KEEPALIVE void glyphverse_start() {
  start();
}

int main() {
  start();
  return 0;
}
