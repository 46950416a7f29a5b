#pragma once
// A hunt's catalogue in a panel: its systems by y and then x, the first one
// chosen; Up and Down choose, Enter travels onto the chosen star, Esc
// closes. While a catalogue is open, the scanner rings its systems.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/list_choice.h"
#include "app/list_panel.h"
#include "app/mode.h"
#include "gen/star_hunt.h"
#include "world/place.h"

namespace glyphverse {

// The systems of a catalogue, as the explorer shows them.
struct CatalogueList {
  std::string name;  // the file's, for the title
  std::vector<HuntedSystem> systems;
  std::vector<Position> cells;  // of the systems, in the same order
};
CatalogueList catalogueList(std::string name, std::vector<HuntedSystem> systems);

class CataloguePanel final : public Mode {
 public:
  explicit CataloguePanel(std::function<void(const Place&)> travel) : travel_(std::move(travel)) {}

  // Shows `list` (none: nothing, ever), the first system chosen.
  void open(std::shared_ptr<const CatalogueList> list);
  bool isOpen() const { return open_; }
  // The cells of the catalogue's systems; null without a catalogue.
  const std::vector<Position>* ringed() const { return list_ ? &list_->cells : nullptr; }

  KeyUse handleKey(KeyCode key, double now) override;
  void draw(Display& display, double now) override;

 private:
  std::function<void(const Place&)> travel_;
  std::shared_ptr<const CatalogueList> list_;
  ListView view_;  // made once: a catalogue may hold many systems
  ListChoice choice_{LIST_PAGE_ROWS};
  bool open_ = false;
};

}  // namespace glyphverse
