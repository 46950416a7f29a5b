#include "app/kept_panels.h"

#include <algorithm>
#include <ctime>

#include "app/list_panel.h"

namespace glyphverse {

std::string localTimeText(std::int64_t unixSeconds) {
  const std::time_t time = static_cast<std::time_t>(unixSeconds);
  std::tm local{};
  if (localtime_r(&time, &local) == nullptr) return "?";
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

void KeptPanel::open() {
  open_ = true;
  answered_ = false;
  page_.clear();
  total_ = 0;
  pageFirst_ = 0;
  reload();
}

void KeptPanel::reload() {
  asked_.reset();
  problem_.clear();
  if (keep_ == nullptr) {
    fail("Nothing is kept in this run.");
    return;
  }
  asked_ = choice_.firstShown();
  load(*keep_, *asked_, LIST_PAGE_ROWS);
}

void KeptPanel::show(std::size_t total, std::size_t first, std::vector<Entry> entries) {
  if (asked_ == first) asked_.reset();
  answered_ = true;
  problem_.clear();
  total_ = total;
  pageFirst_ = first;
  page_ = std::move(entries);
  choice_.setCount(total_);
}

void KeptPanel::fail(const std::string& reason) {
  asked_.reset();
  answered_ = true;
  total_ = 0;
  page_.clear();
  choice_.setCount(0);
  problem_ = reason;
}

const KeptPanel::Entry* KeptPanel::chosenEntry() const {
  const std::size_t chosen = choice_.chosen();
  if (!answered_ || chosen < pageFirst_ || chosen - pageFirst_ >= page_.size()) return nullptr;
  return &page_[chosen - pageFirst_];
}

void KeptPanel::loadWhatIsShown() {
  if (keep_ == nullptr || !answered_ || asked_ || !problem_.empty()) return;
  const std::size_t first = choice_.firstShown();
  const std::size_t end = std::min(total_, first + LIST_PAGE_ROWS);
  if (first >= end || (first >= pageFirst_ && end <= pageFirst_ + page_.size())) return;
  asked_ = first;
  load(*keep_, first, LIST_PAGE_ROWS);
}

KeyUse KeptPanel::handleKey(KeyCode key, double /*now*/) {
  act(choice_.handleKey(key));
  return KeyUse::used;
}

KeyUse KeptPanel::handlePointer(const PointerEvent& event, double /*now*/) {
  if (event.kind != PointerEvent::Kind::release) return KeyUse::used;
  const ListSpot spot = listSpotAt(listView(), choice_, event.x, event.y);
  if (!spot.onPanel) {
    close();
  } else if (spot.entry) {
    act(choice_.tapEntry(*spot.entry));
  }
  return KeyUse::used;
}

void KeptPanel::act(ListChoice::Action action) {
  const Entry* entry = chosenEntry();
  switch (action) {
    case ListChoice::Action::close:
      close();
      break;
    case ListChoice::Action::take:
      if (entry != nullptr && entry->place) {
        const Place place = *entry->place;
        close();
        travel_(place);
      }
      break;
    case ListChoice::Action::remove:
      if (keep_ != nullptr && entry != nullptr) remove(*keep_, entry->id);
      break;
    case ListChoice::Action::none:
      break;
  }
}

void KeptPanel::draw(Display& display, double /*now*/) {
  loadWhatIsShown();
  drawListPanel(display, listView(), choice_);
}

ListView KeptPanel::listView() const {
  ListView view{title(),
                keys(),
                {},
                problem_.empty() ? "None yet." : problem_,
                pageFirst_,
                total_,
                note_ ? note_() : ""};
  if (!answered_) view.empty = "Reading...";
  for (const Entry& entry : page_) view.entries.push_back(entry.line);
  return view;
}

void BookmarksPanel::load(StoreWorker& keep, std::size_t first, std::size_t count) {
  keep.request<BookmarkPage>(
      [first, count](Store& store) { return store.bookmarkPage(first, count); },
      [this](Outcome<BookmarkPage> outcome) {
        if (!outcome.ok()) return fail(outcome.error);
        std::vector<Entry> entries;
        for (const Bookmark& b : outcome.value->rows) {
          const std::string when = localTimeText(b.savedAt) + "  ";
          if (!b.unreadable.empty()) {
            entries.push_back({{when + "unreadable: " + b.unreadable, PANEL_DIM_COLOR}, {}, b.id});
          } else {
            entries.push_back({{when + b.name + "  " + placeText(b.place)}, b.place, b.id});
          }
        }
        show(outcome.value->total, outcome.value->first, std::move(entries));
      });
}

void BookmarksPanel::remove(StoreWorker& keep, std::int64_t id) {
  keep.request<bool>([id](Store& store) { return store.removeBookmark(id); },
                     [this](Outcome<bool> outcome) {
                       if (!outcome.ok()) return fail(outcome.error);
                       reload();
                     });
}

// The log shows its latest visits only: one page of the store's, whole.
void LogPanel::load(StoreWorker& keep, std::size_t /*first*/, std::size_t /*count*/) {
  keep.request<std::vector<Visit>>(
      [](Store& store) { return store.latestVisits(SHOWN_VISITS); },
      [this](Outcome<std::vector<Visit>> outcome) {
        if (!outcome.ok()) return fail(outcome.error);
        std::vector<Entry> entries;
        for (const Visit& v : *outcome.value) {
          const std::string when = (v.firstVisit ? "* " : "  ") + localTimeText(v.time) + "  ";
          if (!v.unreadable.empty()) {
            entries.push_back({{when + "unreadable: " + v.unreadable, PANEL_DIM_COLOR}, {}, v.id});
            continue;
          }
          const std::string where = v.place.viewLevel == PLANET_LEVEL ? ", planet" : "";
          entries.push_back({{when + v.systemName + where + "  " + std::to_string(v.starCount) +
                                  " stars " + std::to_string(v.planetCount) + " planets",
                              v.firstVisit ? PANEL_TEXT_COLOR : PANEL_DIM_COLOR},
                             v.place,
                             v.id});
        }
        const std::size_t total = entries.size();
        show(total, 0, std::move(entries));
      });
}

}  // namespace glyphverse
