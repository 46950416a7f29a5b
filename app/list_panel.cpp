#include "app/list_panel.h"

#include <algorithm>
#include <utility>

#include "display/font.h"

namespace glyphverse {

namespace {

// The panel's lines, and which of them shows the first entry of the page.
struct ListLines {
  std::vector<PanelLine> lines;
  int chosenLine = -1;
  int firstEntryLine = 0;
};

ListLines listLines(const ListView& view, const ListChoice& choice) {
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
  const int firstEntryLine = static_cast<int>(lines.size());
  int chosenLine = -1;
  for (std::size_t i = first; i < last; ++i) {
    const bool chosen = i == choice.chosen();
    if (chosen) chosenLine = static_cast<int>(lines.size());
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
  return ListLines{std::move(lines), chosenLine, firstEntryLine};
}

}  // namespace

void drawListPanel(Display& display, const ListView& view, const ListChoice& choice) {
  const ListLines list = listLines(view, choice);
  drawPanel(display, LIST_BOX, list.lines, list.chosenLine);
}

ListSpot listSpotAt(const ListView& view, const ListChoice& choice, int pageX, int pageY) {
  const ListLines list = listLines(view, choice);
  if (pageX < 0 || pageY < 0) return {};
  // Text rows and columns count from 1, a glyph each.
  const int line = pageY / GLYPH_SIZE + 1 - LIST_BOX.row;
  const int column = pageX / GLYPH_SIZE + 1 - LIST_BOX.column;
  if (line < 0 || line >= static_cast<int>(list.lines.size()) || column < 0 ||
      column >= LIST_BOX.width) {
    return {};
  }
  ListSpot spot{true, std::nullopt};
  const std::size_t total = view.total.value_or(view.entries.size());
  const std::size_t first = choice.firstShown();
  const std::size_t shown = std::min(total, first + LIST_PAGE_ROWS) - first;
  const int entryLine = line - list.firstEntryLine;
  if (entryLine >= 0 && static_cast<std::size_t>(entryLine) < shown) spot.entry = first + entryLine;
  return spot;
}

}  // namespace glyphverse
