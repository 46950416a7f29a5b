#pragma once
// A list in a panel over the picture: a title, the keys, and a page of
// entries with the chosen one marked.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/list_choice.h"
#include "app/panel.h"

namespace glyphverse {

inline constexpr int LIST_PAGE_ROWS = 20;
inline constexpr PanelBox LIST_BOX{8, 5, 67};

struct ListView {
  std::string title;
  std::string keys;                // what the keys do, under the title
  std::vector<PanelLine> entries;  // one line each, from position `firstEntry` of the list
  std::string empty;               // said when there are none
  // Where `entries` start in the list, and how long the whole list is (by
  // default just `entries`): a long list hands over only the page it shows.
  std::size_t firstEntry = 0;
  std::optional<std::size_t> total;
  std::string note;  // said under the keys, when there is something to say
};

void drawListPanel(Display& display, const ListView& view, const ListChoice& choice);

// Where a page pixel falls on the list drawn by drawListPanel: on its panel
// or not, and on which entry (by its place in the whole list), if any.
struct ListSpot {
  bool onPanel = false;
  std::optional<std::size_t> entry;
};
ListSpot listSpotAt(const ListView& view, const ListChoice& choice, int pageX, int pageY);

}  // namespace glyphverse
