#include "app/search_panel.h"

#include <cstdio>

#include "app/list_panel.h"
#include "app/panel.h"

namespace glyphverse {
namespace {

constexpr PanelBox SEARCH_BOX{8, 5, 67};

std::string distanceText(double distance) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", distance);
  return text;
}

std::string resultLine(const StarMatch& match) {
  return distanceText(match.distance) + "  " + match.name + "  " +
         std::to_string(match.counts.starCount) + " stars " +
         std::to_string(match.counts.planetCount) + " planets  bright " +
         std::to_string(match.nebIntens) + "  at " + std::to_string(match.cell.x) + " " +
         std::to_string(match.cell.y);
}

}  // namespace

void SearchPanel::open() {
  open_ = true;
  stage_ = Stage::typing;
  problem_.clear();
}

KeyUse SearchPanel::handleKey(KeyCode key, double /*now*/) {
  switch (stage_) {
    case Stage::typing:
      typingKey(key);
      break;
    case Stage::searching:
      // Esc stops the search; the explorer stays where it was.
      if (key.is(static_cast<char>(CHAR_ESC))) {
        search_.reset();
        stage_ = Stage::typing;
      }
      break;
    case Stage::results:
      resultsKey(key);
      break;
  }
  return KeyUse::used;
}

void SearchPanel::typingKey(KeyCode key) {
  switch (line_.handleKey(key)) {
    case LineEditor::Action::cancel:
      open_ = false;
      break;
    case LineEditor::Action::submit:
      start();
      break;
    case LineEditor::Action::none:
      problem_.clear();
      break;
  }
}

// An empty line clears the filter; a line that reads starts the search.
void SearchPanel::start() {
  const bool blank = line_.text().find_first_not_of(' ') == std::string::npos;
  if (blank) {
    filter_.reset();
    open_ = false;
    return;
  }
  const SearchTermsReading reading = readSearchTerms(line_.text());
  if (!reading.terms) {
    problem_ = reading.error;
    return;
  }
  filter_ = reading.terms->filter;
  radius_ = reading.terms->radius;
  searchedAround_ = centre_();
  search_ = std::make_unique<BackgroundSearch>(SearchRequest{searchedAround_, radius_, *filter_}, 0,
                                               runs_);
  stage_ = Stage::searching;
}

void SearchPanel::resultsKey(KeyCode key) {
  if (key.is('/')) {
    stage_ = Stage::typing;
    return;
  }
  resultsAction(choice_.handleKey(key));
}

KeyUse SearchPanel::handlePointer(const PointerEvent& event, double /*now*/) {
  if (stage_ != Stage::results || event.kind != PointerEvent::Kind::release) return KeyUse::used;
  const ListSpot spot = listSpotAt(resultsView(), choice_, event.x, event.y);
  if (!spot.onPanel) {
    resultsAction(ListChoice::Action::close);
  } else if (spot.entry) {
    resultsAction(choice_.tapEntry(*spot.entry));
  }
  return KeyUse::used;
}

void SearchPanel::resultsAction(ListChoice::Action action) {
  switch (action) {
    case ListChoice::Action::close:
      open_ = false;
      break;
    case ListChoice::Action::take: {
      const SearchResult* result = search_ ? search_->result() : nullptr;
      if (result == nullptr || choice_.chosen() >= result->nearest.size()) break;
      open_ = false;
      travel_(galaxyPlace(result->nearest[choice_.chosen()].cell.x,
                          result->nearest[choice_.chosen()].cell.y));
      break;
    }
    case ListChoice::Action::remove:
    case ListChoice::Action::none:
      break;
  }
}

std::string SearchPanel::aroundText() const {
  return std::to_string(radius_) + " cells around " + std::to_string(searchedAround_.x) + " " +
         std::to_string(searchedAround_.y);
}

ListView SearchPanel::resultsView() const {
  const SearchResult& result = *search_->result();
  const std::string around = aroundText();
  ListView view{std::to_string(result.matchCount) + " of " + std::to_string(result.starCount) +
                    " stars within " + around + " match",
                "Up Down choose   Enter go there   / search again   Esc close",
                {},
                "No star matches: / to search again",
                0,
                std::nullopt,
                ""};
  for (const StarMatch& match : result.nearest) view.entries.push_back({resultLine(match)});
  return view;
}

void SearchPanel::draw(Display& display, double /*now*/) {
  if (stage_ == Stage::searching && search_ && waitForResults_) search_->waitUntilFinished();
  if (stage_ == Stage::searching && search_ && search_->finished()) {
    stage_ = Stage::results;
    choice_ = ListChoice(MAX_SEARCH_RESULTS);
    choice_.setCount(search_->result()->nearest.size());
  }
  const std::string around = aroundText();
  if (stage_ == Stage::results) {
    drawListPanel(display, resultsView(), choice_);
    return;
  }
  const std::string label = " Find stars: ";
  const std::size_t columns = static_cast<std::size_t>(SEARCH_BOX.width) - label.size() - 1;
  std::vector<PanelLine> lines{{label + std::string(line_.lastColumns(columns)) + "_"}};
  if (stage_ == Stage::searching) {
    const int percent = static_cast<int>(search_->fractionDone() * 100.0);
    lines.push_back({" Searching " + around + ": " + std::to_string(percent) + " %   Esc stops",
                     PANEL_MARK_COLOR});
  } else if (!problem_.empty()) {
    lines.push_back({" " + problem_, PANEL_MARK_COLOR});
  } else {
    lines.push_back(
        {" bright>=N planets>=N stars>=N (also <= and =), name=TEXT,", PANEL_DIM_COLOR});
    lines.push_back(
        {" radius=N (1000); Enter searches, an empty line clears, Esc closes", PANEL_DIM_COLOR});
  }
  lines.push_back({""});
  drawPanel(display, SEARCH_BOX, lines);
}

}  // namespace glyphverse
