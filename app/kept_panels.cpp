#include "app/kept_panels.h"

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
  reload();
}

void KeptPanel::reload() {
  entries_.reset();
  problem_.clear();
  if (keep_ == nullptr) {
    fail("Nothing is kept in this run.");
    return;
  }
  load(*keep_);
}

void KeptPanel::show(std::vector<Entry> entries) {
  entries_ = std::move(entries);
  choice_.setCount(entries_->size());
}

void KeptPanel::fail(const std::string& reason) {
  entries_ = std::vector<Entry>{};
  choice_.setCount(0);
  problem_ = reason;
}

KeyUse KeptPanel::handleKey(KeyCode key, double /*now*/) {
  switch (choice_.handleKey(key)) {
    case ListChoice::Action::close:
      close();
      break;
    case ListChoice::Action::take:
      if (entries_ && choice_.chosen() < entries_->size()) {
        close();
        travel_((*entries_)[choice_.chosen()].place);
      }
      break;
    case ListChoice::Action::remove:
      if (keep_ != nullptr && entries_ && choice_.chosen() < entries_->size()) {
        remove(*keep_, (*entries_)[choice_.chosen()].id);
      }
      break;
    case ListChoice::Action::none:
      break;
  }
  return KeyUse::used;
}

void KeptPanel::draw(Display& display, double /*now*/) {
  ListView view{title(), keys(), {}, problem_.empty() ? "None yet." : problem_};
  if (!entries_) view.empty = "Reading...";
  if (entries_) {
    for (const Entry& entry : *entries_) view.entries.push_back(entry.line);
  }
  drawListPanel(display, view, choice_);
}

void BookmarksPanel::load(StoreWorker& keep) {
  keep.request<std::vector<Bookmark>>(
      [](Store& store) { return store.bookmarks(); },
      [this](Outcome<std::vector<Bookmark>> outcome) {
        if (!outcome.ok()) return fail(outcome.error);
        std::vector<Entry> entries;
        for (const Bookmark& b : *outcome.value) {
          entries.push_back({{localTimeText(b.savedAt) + "  " + b.name + "  " + placeText(b.place)},
                             b.place,
                             b.id});
        }
        show(std::move(entries));
      });
}

void BookmarksPanel::remove(StoreWorker& keep, std::int64_t id) {
  keep.request<bool>([id](Store& store) { return store.removeBookmark(id); },
                     [this](Outcome<bool> outcome) {
                       if (!outcome.ok()) return fail(outcome.error);
                       reload();
                     });
}

void LogPanel::load(StoreWorker& keep) {
  keep.request<std::vector<Visit>>(
      [](Store& store) { return store.latestVisits(SHOWN_VISITS); },
      [this](Outcome<std::vector<Visit>> outcome) {
        if (!outcome.ok()) return fail(outcome.error);
        std::vector<Entry> entries;
        for (const Visit& v : *outcome.value) {
          const std::string where = v.place.viewLevel == PLANET_LEVEL ? ", planet" : "";
          entries.push_back({{(v.firstVisit ? "* " : "  ") + localTimeText(v.time) + "  " +
                                  v.systemName + where + "  " + std::to_string(v.starCount) +
                                  " stars " + std::to_string(v.planetCount) + " planets",
                              v.firstVisit ? PANEL_TEXT_COLOR : PANEL_DIM_COLOR},
                             v.place,
                             v.id});
        }
        show(std::move(entries));
      });
}

}  // namespace glyphverse
