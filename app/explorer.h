#pragma once
// The explorer's start-up and its frame loop.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/catalogue_panel.h"
#include "app/help_panel.h"
#include "app/info_panel.h"
#include "app/kept_panels.h"
#include "app/map_mode.h"
#include "app/navigation.h"
#include "app/scanner.h"
#include "app/screenshots.h"
#include "app/search_panel.h"
#include "app/status_line.h"
#include "app/timing.h"
#include "display/display.h"
#include "keep/place_link.h"
#include "world/place.h"
#include "world/view_map.h"
#include "world/view_state.h"

namespace glyphverse {

inline constexpr int SCREEN_SIZE = 600;
inline constexpr std::int32_t START_X = 10;
inline constexpr std::int32_t START_Y = 10;
inline constexpr Place START_PLACE = galaxyPlace(START_X, START_Y);

// What the explorer can reach beyond its display; each is optional.
struct ExplorerServices {
  // F12 saves pictures through it; without one F12 says it cannot.
  PictureWriter savePicture;
  // Bookmarks and visits are kept through it; without one nothing is kept,
  // and the panels say so.
  StoreWorker* keep = nullptr;
  // The link that C copies for a place.
  std::function<std::string(const Place&)> linkOf = placeLink;
  // A search's frames wait for its results (scripted runs), rather than
  // showing its progress while the frames go on.
  bool searchesWait = false;
  // A hunt's catalogue, shown in a panel at the start; its systems ringed in
  // the scanner.
  std::shared_ptr<const CatalogueList> catalogue = nullptr;
  // Where searches run: a platform without threads (a browser's page) runs
  // them on the frame's own thread.
  BackgroundSearch::Runs searchesRun = BackgroundSearch::Runs::onItsOwnThreads;
};

class Explorer {
 public:
  // Start-up: opens the screen and places the explorer at `start` as if it
  // had walked there (by default (10, 10) on the galaxy, under the galaxy's
  // tables).
  explicit Explorer(Display& display, const Place& start = START_PLACE,
                    ExplorerServices services = {});

  // One frame, with one clock reading: the active mode's input, drawing, the
  // page flip and one typed key. Returns false once Esc has been read. It
  // never sleeps: its caller does, between frames.
  bool runFrame();
  // A frame and the 1 ms sleep after it, as the desktop's loop runs them.
  bool runFrameAndSleep();
  // Frames until Esc.
  void run();

  // What a terminal keeps in view: the text display, the rows of prompts and
  // messages at the bottom, and the explorer's cell.
  static FrameLayout frameLayout();

  const ViewState& state() const { return state_; }
  const ViewMap& map() const { return map_; }
  const Scanner& scanner() const { return scanner_; }
  // The page that the last frame drew (and that the next frame shows).
  int lastDrawnPage() const { return 1 - page_; }

 private:
  // The map or the scanner, then the panels shown over it, bottom to top.
  struct ModeStack {
    std::array<Mode*, 8> modes{};
    int count = 0;
    Mode** begin() { return modes.data(); }
    Mode** end() { return modes.data() + count; }
  };
  ModeStack modesShown();
  bool takeKeys(double now);
  bool handleKey(KeyCode key, double now);
  // The mode whose line is being typed, if the keys go to one.
  Mode* lineTyped();
  void tellCut(double now);
  // Where the explorer is, or in the scanner where its crosshair is.
  Place here() const;
  void travel(const Place& place);
  void bookmarkHere(double now);
  void copyLinkHere(double now);
  // Logs a system entered or a planet landed on, once per arrival.
  void noteArrival();
  void sayWhereLevelsEnd(double now);
  // What the log lacks from this run, for its panel.
  std::string unloggedNote() const;

  Display& display_;
  int page_ = 0;
  double now_ = 0.0;  // the clock's one reading of this frame, for the store's answers
  ViewState state_;
  FrameMeter meter_;
  InputGates gates_;
  ViewMap map_;
  MapMode mapMode_{state_, map_, gates_, meter_};
  Scanner scanner_{state_, gates_, meter_};
  HelpPanel help_;
  bool helpShown_ = false;
  Screenshots screenshots_;
  bool pictureWanted_ = false;  // F12 was pressed: the next frame is saved
  StatusLine status_;
  StoreWorker* keep_;
  std::function<std::string(const Place&)> linkOf_;
  BookmarksPanel bookmarks_{keep_, [this](const Place& place) { travel(place); }};
  // Visits of this run that the store could not log, and the last reason.
  struct Unlogged {
    int count = 0;
    std::string reason;
  };
  Unlogged unlogged_;
  LogPanel log_{keep_, [this](const Place& place) { travel(place); },
                [this] { return unloggedNote(); }};
  InfoPanel info_{[this] { return here(); }};
  bool infoShown_ = false;
  SearchPanel search_;
  CataloguePanel catalogue_{[this](const Place& place) { travel(place); }};
  // The level and system of the last frame, to notice arrivals.
  std::int32_t lastLevel_ = GALAXY_LEVEL;
  Position lastSystem_{-1, -1};
};

}  // namespace glyphverse
