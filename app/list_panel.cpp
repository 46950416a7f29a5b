#include "app/list_panel.h"

#include <algorithm>

namespace glyphverse {

void drawListPanel(Display& display, const ListView& view, const ListChoice& choice) {
  std::vector<PanelLine> lines;
  lines.push_back({" " + view.title});
  lines.push_back({choice.confirmingRemoval()
                       ? " Delete again removes the chosen one; any other key keeps it"
                       : " " + view.keys,
                   choice.confirmingRemoval() ? PANEL_MARK_COLOR : PANEL_DIM_COLOR});
  lines.push_back({""});
  if (view.entries.empty()) lines.push_back({" " + view.empty});
  const std::size_t first = choice.firstShown();
  const std::size_t last = std::min(view.entries.size(), first + LIST_PAGE_ROWS);
  int chosenLine = -1;
  for (std::size_t i = first; i < last; ++i) {
    const bool chosen = i == choice.chosen();
    if (chosen) chosenLine = static_cast<int>(lines.size());
    lines.push_back({(chosen ? "> " : "  ") + view.entries[i].text,
                     chosen ? PANEL_MARK_COLOR : view.entries[i].color});
  }
  if (view.entries.size() > LIST_PAGE_ROWS) {
    lines.push_back(
        {"  " + std::to_string(choice.chosen() + 1) + " of " + std::to_string(view.entries.size()),
         PANEL_DIM_COLOR});
  }
  lines.push_back({""});
  drawPanel(display, LIST_BOX, lines, chosenLine);
}

}  // namespace glyphverse
