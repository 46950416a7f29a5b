#pragma once
// The panels of what the user keeps: the bookmarks (Shift+B) and the log of
// visits (L). Each asks the store for its list when it opens, without
// waiting for it; Enter travels to the chosen place, and in the bookmarks
// Delete (twice) removes the chosen one.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/list_choice.h"
#include "app/mode.h"
#include "app/panel.h"
#include "keep/store.h"
#include "keep/store_worker.h"

namespace glyphverse {

using Travel = std::function<void(const Place&)>;

// "2026-12-07 18:50" in the local time zone.
std::string localTimeText(std::int64_t unixSeconds);

class KeptPanel : public Mode {
 public:
  // Without a store (`keep` null) the panel says there is none.
  KeptPanel(StoreWorker* keep, Travel travel) : keep_(keep), travel_(std::move(travel)) {}

  bool isOpen() const { return open_; }
  void open();
  void close() { open_ = false; }
  KeyUse handleKey(KeyCode key, double now) override;
  void draw(Display& display, double now) override;

 protected:
  struct Entry {
    PanelLine line;
    Place place;
    std::int64_t id = 0;
  };
  // Asks the store for the entries; `show` takes them or the reason there are none.
  virtual void load(StoreWorker& keep) = 0;
  virtual void remove(StoreWorker& /*keep*/, std::int64_t /*id*/) {}
  virtual std::string title() const = 0;
  virtual std::string keys() const = 0;
  void show(std::vector<Entry> entries);
  void fail(const std::string& reason);
  void reload();

 private:
  StoreWorker* keep_;
  Travel travel_;
  bool open_ = false;
  std::optional<std::vector<Entry>> entries_;  // none until the store answers
  std::string problem_;
  ListChoice choice_{20};
};

class BookmarksPanel final : public KeptPanel {
 public:
  using KeptPanel::KeptPanel;

 private:
  void load(StoreWorker& keep) override;
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
  void load(StoreWorker& keep) override;
  std::string title() const override { return "Visits, the latest first (* the first time)"; }
  std::string keys() const override { return "Up Down choose   Enter go there   Esc close"; }
};

}  // namespace glyphverse
