#include "app/catalogue_panel.h"

namespace glyphverse {
namespace {

std::string systemLine(const HuntedSystem& s) {
  return s.name + "  " + std::to_string(s.counts.starCount) + " stars " +
         std::to_string(s.counts.planetCount) + " planets  bright " + std::to_string(s.nebIntens) +
         "  at " + std::to_string(s.cell.x) + " " + std::to_string(s.cell.y);
}

}  // namespace

CatalogueList catalogueList(std::string name, std::vector<HuntedSystem> systems) {
  CatalogueList list{std::move(name), std::move(systems), {}};
  for (const HuntedSystem& s : list.systems) list.cells.push_back(s.cell);
  return list;
}

void CataloguePanel::open(std::shared_ptr<const CatalogueList> list) {
  list_ = std::move(list);
  open_ = list_ != nullptr;
  if (!list_) return;
  view_ = ListView{};
  view_.title = std::to_string(list_->systems.size()) + " systems in " + list_->name;
  view_.keys = "Up Down choose   Enter go there   Esc close";
  view_.empty = "The catalogue holds no system yet.";
  for (const HuntedSystem& s : list_->systems) view_.entries.push_back({systemLine(s)});
  choice_ = ListChoice(LIST_PAGE_ROWS);
  choice_.setCount(list_->systems.size());
}

KeyUse CataloguePanel::handleKey(KeyCode key, double /*now*/) {
  switch (choice_.handleKey(key)) {
    case ListChoice::Action::close:
      open_ = false;
      break;
    case ListChoice::Action::take:
      if (choice_.chosen() < list_->systems.size()) {
        open_ = false;
        const Position cell = list_->systems[choice_.chosen()].cell;
        travel_(galaxyPlace(cell.x, cell.y));
      }
      break;
    case ListChoice::Action::remove:
    case ListChoice::Action::none:
      break;
  }
  return KeyUse::used;
}

void CataloguePanel::draw(Display& display, double /*now*/) {
  drawListPanel(display, view_, choice_);
}

}  // namespace glyphverse
