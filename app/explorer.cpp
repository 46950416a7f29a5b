#include "app/explorer.h"

#include <utility>

#include "app/text_display.h"
#include "gen/place_facts.h"
#include "gen/places.h"
#include "keep/place_link.h"
#include "render/map_view.h"
#include "world/geometry.h"

namespace glyphverse {

Explorer::Explorer(Display& display, const Place& start, ExplorerServices services)
    : display_(display),
      screenshots_(std::move(services.savePicture)),
      keep_(services.keep),
      linkOf_(std::move(services.linkOf)),
      search_([this] { return here().galaxy; }, [this](const Place& place) { travel(place); },
              services.searchesWait, services.searchesRun) {
  // The result is not checked: without a window the explorer runs on a terminal.
  display_.openScreen(SCREEN_SIZE, SCREEN_SIZE, 32, 2, 0, 0);
  display_.setFrameLayout(frameLayout());
  page_ = 0;
  state_ = stateAt(start);
  frameMeterInit(meter_, display_.timerSeconds());
  map_ = initViewMap(state_.x, state_.y);
  catalogue_.open(std::move(services.catalogue));
}

FrameLayout Explorer::frameLayout() {
  constexpr int centre = (MAP_LEFT + CELL_SIZE * MAP_RADIUS + CELL_SIZE / 2) / GLYPH_SIZE;
  // Row 1 starts with the frame rate.
  return FrameLayout{TEXT_DISPLAY_ROWS, STATUS_ROWS_AT_MOST, centre, centre, 0, NAME_COLUMN - 1};
}

Explorer::ModeStack Explorer::modesShown() {
  ModeStack stack;
  stack.modes[stack.count++] = scanner_.isOpen() ? static_cast<Mode*>(&scanner_) : &mapMode_;
  if (infoShown_) stack.modes[stack.count++] = &info_;
  if (helpShown_) stack.modes[stack.count++] = &help_;
  for (KeptPanel* panel : {static_cast<KeptPanel*>(&bookmarks_), static_cast<KeptPanel*>(&log_)}) {
    if (panel->isOpen()) stack.modes[stack.count++] = panel;
  }
  if (catalogue_.isOpen()) stack.modes[stack.count++] = &catalogue_;
  if (search_.isOpen()) stack.modes[stack.count++] = &search_;
  return stack;
}

bool Explorer::runFrame() {
  const double now = display_.timerSeconds();
  now_ = now;
  frameMeterUpdate(meter_, now);
  display_.setPages(page_, 1 - page_);
  display_.clearScreen();
  ModeStack modes = modesShown();
  for (int k = modes.count - 1; k >= 0; --k) {
    if (!modes.modes[k]->takesHeldKeys()) continue;
    modes.modes[k]->handleHeldKeys(display_.keyboard().held(), now);
    break;
  }
  // As with the held keys, a panel that is typed into keeps the pointer from
  // the modes beneath: nothing walks meanwhile.
  while (const std::optional<PointerEvent> pointer = display_.nextPointerEvent()) {
    for (int k = modes.count - 1; k >= 0; --k) {
      if (modes.modes[k]->handlePointer(*pointer, now) == KeyUse::used) break;
      if (modes.modes[k]->takesHeldKeys()) break;
    }
  }
  noteArrival();
  sayWhereLevelsEnd(now);
  scanner_.setMarks(search_.filter());
  scanner_.setRinged(catalogue_.ringed());
  for (Mode* mode : modes) mode->draw(display_, now);
  if (keep_ != nullptr) {
    keep_->deliver();
    if (const auto why = keep_->takeOpenFailure()) status_.show("No bookmarks: " + *why, now);
  }
  // The picture is this frame's, taken before the messages: a picture never
  // carries what F12 itself said.
  if (pictureWanted_) {
    if (const Image* page = display_.workPageImage())
      screenshots_.take(*page, here(), now, status_);
    pictureWanted_ = false;
  }
  screenshots_.poll(now, status_);
  status_.draw(display_, now);
  page_ = 1 - page_;
  return takeKeys(now);
}

// One key a frame, as ever; but while a line is typed, every key waiting and
// what was pasted, so that nothing typed fast or pasted is lost. A paste
// outside a line is no key and goes nowhere.
bool Explorer::takeKeys(double now) {
  Keyboard& keyboard = display_.keyboard();
  for (bool first = true;; first = false) {
    while (const std::optional<std::string> pasted = keyboard.takePaste()) {
      if (Mode* line = lineTyped()) line->paste(*pasted);
    }
    if (!first && lineTyped() == nullptr) break;
    const std::optional<KeyCode> key = display_.nextKey();
    if (!key) break;
    if (!handleKey(*key, now)) return false;
  }
  tellCut(now);
  keyboard.keepAllKeys(lineTyped() != nullptr);
  return true;
}

Mode* Explorer::lineTyped() {
  ModeStack modes = modesShown();
  for (int k = modes.count - 1; k >= 0; --k) {
    if (!modes.modes[k]->takesHeldKeys()) continue;
    return modes.modes[k]->typesLine() ? modes.modes[k] : nullptr;
  }
  return nullptr;
}

// What a full line left out is said on the bottom row.
void Explorer::tellCut(double now) {
  for (Mode* mode : modesShown()) {
    const std::string cut = mode->takeCut();
    if (cut.empty()) continue;
    status_.show(shortenedInTheMiddle("Too long for the line, left out: " + cut, STATUS_COLUMNS),
                 now);
  }
}

// The one key the frame takes from the queue goes to the modes from the top
// down; what none of them uses is the explorer's own: Esc ends the program,
// M opens the scanner, and so on; anything else is dropped. F1 (the keys)
// and F12 (the picture) work whatever is open. A held F12 saves one picture.
bool Explorer::handleKey(KeyCode key, double now) {
  if (key.isSpecial(KEY_F1)) {
    helpShown_ = !helpShown_;
    return true;
  }
  if (key.isSpecial(KEY_F12)) {
    if (!key.repeat) pictureWanted_ = true;
    return true;
  }
  ModeStack modes = modesShown();
  for (int k = modes.count - 1; k >= 0; --k) {
    if (modes.modes[k]->handleKey(key, now) == KeyUse::used) return true;
  }
  if (key.is(static_cast<char>(CHAR_ESC))) return false;
  if (key.isLetter('m')) scanner_.open();
  if (key.is('b')) bookmarkHere(now);
  if (key.is('B')) bookmarks_.open();
  if (key.isLetter('l')) log_.open();
  if (key.isLetter('c')) copyLinkHere(now);
  if (key.isLetter('i')) infoShown_ = !infoShown_;
  if (key.is('/')) search_.open();
  return true;
}

Place Explorer::here() const {
  return scanner_.isOpen() ? scanner_.crosshairPlace() : placeOf(state_);
}

void Explorer::travel(const Place& place) {
  scanner_.close();
  goTo(state_, place);
}

// Named after the system there, or else where it is.
void Explorer::bookmarkHere(double now) {
  const Place place = here();
  if (keep_ == nullptr) {
    status_.show("Nothing is kept in this run: " + placeText(place), now);
    return;
  }
  const PlaceFacts facts = placeFacts(place);
  std::string name = facts.systemName;  // the star's system, or the one entered
  if (place.viewLevel == GALAXY_LEVEL && !facts.hasStar) {
    name = "Galaxy " + std::to_string(place.galaxy.x) + " " + std::to_string(place.galaxy.y);
  }
  if (place.viewLevel == PLANET_LEVEL) name += ", planet";
  if (place.viewLevel > PLANET_LEVEL) name = "Level " + std::to_string(place.viewLevel);
  status_.show("Bookmarking " + name, now);
  keep_->request<SavedBookmark>(
      [place, name](Store& store) { return store.addBookmark(place, name, unixSecondsNow()); },
      [this](Outcome<SavedBookmark> saved) {
        if (!saved.ok()) return status_.show("Not bookmarked: " + saved.error, now_);
        const std::string what = saved.value->name + " at " + placeText(saved.value->place);
        status_.show((saved.value->alreadyKept ? "Already bookmarked: " : "Bookmarked ") + what,
                     now_);
      });
}

// The link goes to the clipboard where there is one, and is shown in any
// case; where no clipboard surely took it, until the next message, to be
// copied by hand.
void Explorer::copyLinkHere(double now) {
  const std::string link = linkOf_(here());
  if (display_.copyToClipboard(link)) {
    status_.show("Copied " + link, now);
  } else {
    status_.show(link, now, true);
  }
}

void Explorer::noteArrival() {
  const std::int32_t level = state_.viewLevel;
  const Position system{state_.system.x, state_.system.y};
  const bool arrived = (level == SYSTEM_LEVEL || level == PLANET_LEVEL) &&
                       (level > lastLevel_ || !(system == lastSystem_));
  lastLevel_ = level;
  if (level == SYSTEM_LEVEL || level == PLANET_LEVEL) lastSystem_ = system;
  if (!arrived || keep_ == nullptr) return;
  const StarSystem& s = state_.system;
  const VisitRecord visit{unixSecondsNow(), placeOf(state_), s.name,
                          s.starCount,      s.planetCount,   s.nebIntens};
  keep_->request<bool>([visit](Store& store) { return store.recordVisit(visit); },
                       [this, name = s.name, level](Outcome<bool> first) {
                         if (!first.ok()) {
                           ++unlogged_.count;
                           unlogged_.reason = first.error;
                           return status_.show("Not logged: " + first.error, now_);
                         }
                         if (!*first.value) return;
                         status_.show(std::string("First visit to ") + name +
                                          (level == PLANET_LEVEL ? "'s planet" : ""),
                                      now_);
                       });
}

// Places end at DEEPEST_PLACE_LEVEL, and so does Space: deeper could not be
// bookmarked, logged, linked or continued.
void Explorer::sayWhereLevelsEnd(double now) {
  if (state_.viewLevel < DEEPEST_PLACE_LEVEL || scanner_.isOpen() ||
      !display_.keyboard().held().isDown(SCAN_SPACE)) {
    return;
  }
  status_.show("Level " + std::to_string(DEEPEST_PLACE_LEVEL) + " is the deepest there is", now);
}

std::string Explorer::unloggedNote() const {
  if (unlogged_.count == 0) return "";
  return std::to_string(unlogged_.count) + (unlogged_.count == 1 ? " visit" : " visits") +
         " of this run could not be logged: " + unlogged_.reason;
}

bool Explorer::runFrameAndSleep() {
  const bool goesOn = runFrame();
  display_.sleepFor(1);
  return goesOn;
}

void Explorer::run() {
  while (runFrameAndSleep()) {
  }
  screenshots_.finish();  // a picture being written is written whole
}

}  // namespace glyphverse
