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
  if (!view.note.empty()) lines.push_back({" " + view.note, PANEL_MARK_COLOR});
  lines.push_back({""});
  const std::size_t total = view.total.value_or(view.entries.size());
  if (total == 0) lines.push_back({" " + view.empty});
  const std::size_t first = choice.firstShown();
  const std::size_t last = std::min(total, first + LIST_PAGE_ROWS);
  for (std::size_t i = first; i < last; ++i) {
    const bool chosen = i == choice.chosen();
    // An entry of a page still on its way shows as a gap.
    const bool here = i >= view.firstEntry && i - view.firstEntry < view.entries.size();
    const PanelLine entry = here ? view.entries[i - view.firstEntry] : PanelLine{"..."};
    lines.push_back({(chosen ? "> " : "  ") + entry.text, chosen ? PANEL_MARK_COLOR : entry.color});
  }
  if (total > LIST_PAGE_ROWS) {
    lines.push_back({"  " + std::to_string(choice.chosen() + 1) + " of " + std::to_string(total),
                     PANEL_DIM_COLOR});
  }
  lines.push_back({""});
  drawPanel(display, LIST_BOX, lines);
}

}  // namespace glyphverse
