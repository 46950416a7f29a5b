#pragma once
// The panels of what the user keeps: the bookmarks (Shift+B) and the log of
// visits (L). Each asks the store for the page of its list that it shows,
// without waiting for it, however long the list; Enter travels to the chosen
// place, and in the bookmarks Delete (twice) removes the chosen one. An
// entry whose place cannot be read is listed with the reason, and can be
// removed but not travelled to.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/list_choice.h"
#include "app/list_panel.h"
#include "app/mode.h"
#include "app/panel.h"
#include "keep/store.h"
#include "keep/store_worker.h"

namespace glyphverse {

using Travel = std::function<void(const Place&)>;
// A line the panel says under its keys, when there is something to say.
using PanelNote = std::function<std::string()>;

// "2026-12-07 18:50" in the local time zone.
std::string localTimeText(std::int64_t unixSeconds);

class KeptPanel : public Mode {
 public:
  // Without a store (`keep` null) the panel says there is none.
  KeptPanel(StoreWorker* keep, Travel travel, PanelNote note = {})
      : keep_(keep), travel_(std::move(travel)), note_(std::move(note)) {}

  bool isOpen() const { return open_; }
  void open();
  void close() { open_ = false; }
  KeyUse handleKey(KeyCode key, double now) override;
  // A tap on an entry chooses it, on the chosen one takes it; a tap off
  // the panel closes it.
  KeyUse handlePointer(const PointerEvent& event, double now) override;
  void draw(Display& display, double now) override;

 protected:
  struct Entry {
    PanelLine line;
    std::optional<Place> place;  // none where the kept place is unreadable
    std::int64_t id = 0;
  };
  // Asks the store for `count` entries from position `first`; `show` takes
  // them (with where they start and how many there are) or `fail` the reason.
  virtual void load(StoreWorker& keep, std::size_t first, std::size_t count) = 0;
  virtual void remove(StoreWorker& /*keep*/, std::int64_t /*id*/) {}
  virtual std::string title() const = 0;
  virtual std::string keys() const = 0;
  void show(std::size_t total, std::size_t first, std::vector<Entry> entries);
  void fail(const std::string& reason);
  void reload();

 private:
  // The chosen entry, when its page is here.
  const Entry* chosenEntry() const;
  // Asks for the page around the choice when the one here does not show it.
  void loadWhatIsShown();
  ListView listView() const;
  void act(ListChoice::Action action);

  StoreWorker* keep_;
  Travel travel_;
  PanelNote note_;
  bool open_ = false;
  bool answered_ = false;  // the store has answered since the panel opened
  std::size_t total_ = 0;
  std::size_t pageFirst_ = 0;
  std::vector<Entry> page_;
  std::optional<std::size_t> asked_;  // the first entry of a page asked for
  std::string problem_;
  ListChoice choice_{20};
};

class BookmarksPanel final : public KeptPanel {
 public:
  using KeptPanel::KeptPanel;

 private:
  void load(StoreWorker& keep, std::size_t first, std::size_t count) override;
  void remove(StoreWorker& keep, std::int64_t id) override;
  std::string title() const override { return "Bookmarks, the newest first"; }
  std::string keys() const override {
    return "Up Down choose   Enter go there   Delete remove   Esc close";
  }
};

class LogPanel final : public KeptPanel {
 public:
  static constexpr int SHOWN_VISITS = 200;
  using KeptPanel::KeptPanel;

 private:
  void load(StoreWorker& keep, std::size_t first, std::size_t count) override;
  std::string title() const override { return "Visits, the latest first (* the first time)"; }
  std::string keys() const override { return "Up Down choose   Enter go there   Esc close"; }
};

}  // namespace glyphverse
