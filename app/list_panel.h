#pragma once
// A list in a panel over the picture: a title, the keys, and a page of
// entries with the chosen one marked.

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
  std::vector<PanelLine> entries;  // one line each
  std::string empty;               // said when there are none
};

void drawListPanel(Display& display, const ListView& view, const ListChoice& choice);

}  // namespace glyphverse
