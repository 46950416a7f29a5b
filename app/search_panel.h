#pragma once
// /: a search for star systems. A line of filters (bright>=150 planets>=5,
// name=ka, radius=2000) is searched around the explorer, or the scanner's
// crosshair, on every core while the frames go on, with its progress shown
// and Esc to stop it; the nearest matches are listed, and Enter travels onto
// the chosen star. The filter stays set, for the scanner to mark what
// matches, until an empty line clears it.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/line_editor.h"
#include "app/list_choice.h"
#include "app/list_panel.h"
#include "app/mode.h"
#include "find/background_search.h"
#include "gen/star_filter.h"
#include "world/place.h"

namespace glyphverse {

class SearchPanel final : public Mode {
 public:
  static constexpr std::size_t LINE_LENGTH = 120;

  // `centre` gives the galaxy cell to search around; `travel` takes the
  // explorer to a place. With `waitForResults` a frame waits for a search
  // to finish instead of showing its progress: for scripted runs, whose
  // frames must not depend on how fast the machine is.
  // `runs` says where searches run (on one thread where there are no others).
  SearchPanel(std::function<Position()> centre, std::function<void(const Place&)> travel,
              bool waitForResults = false,
              BackgroundSearch::Runs runs = BackgroundSearch::Runs::onItsOwnThreads)
      : centre_(std::move(centre)),
        travel_(std::move(travel)),
        waitForResults_(waitForResults),
        runs_(runs) {}

  bool isOpen() const { return open_; }
  // Opens on the line last searched, to be changed or searched again.
  void open();
  // The filter of the last search, while it is set.
  const StarFilter* filter() const { return filter_ ? &*filter_ : nullptr; }

  KeyUse handleKey(KeyCode key, double now) override;
  // In the results, a tap chooses a star, on the chosen one travels there,
  // and off the panel closes it.
  KeyUse handlePointer(const PointerEvent& event, double now) override;
  void draw(Display& display, double now) override;
  bool typesLine() const override { return open_ && stage_ == Stage::typing; }
  void paste(std::string_view text) override { line_.paste(text); }
  std::string takeCut() override { return line_.takeCut(); }

 private:
  enum class Stage { typing, searching, results };
  void start();
  void typingKey(KeyCode key);
  void resultsKey(KeyCode key);
  void resultsAction(ListChoice::Action action);
  ListView resultsView() const;
  // "2000 cells around X Y", of the last search.
  std::string aroundText() const;

  std::function<Position()> centre_;
  std::function<void(const Place&)> travel_;
  bool waitForResults_;
  BackgroundSearch::Runs runs_;
  bool open_ = false;
  Stage stage_ = Stage::typing;
  LineEditor line_{LINE_LENGTH};
  std::string problem_;  // what is wrong with the line
  std::optional<StarFilter> filter_;
  Position searchedAround_;
  std::int32_t radius_ = DEFAULT_SEARCH_RADIUS;
  std::unique_ptr<BackgroundSearch> search_;
  ListChoice choice_{MAX_SEARCH_RESULTS};
};

}  // namespace glyphverse
