#include "display/terminal/panel_placement.h"

#include <algorithm>

namespace glyphverse {
namespace {

// The panel's rows to show in `room` rows: all, or without blank edges, or
// the first and a window that holds the chosen row.
std::vector<int> rowsShown(const TextPanel& panel, const std::vector<bool>& blankRow, int room) {
  int first = 0;
  int last = panel.rows - 1;
  const auto blank = [&](int r) {
    return r >= 0 && r < static_cast<int>(blankRow.size()) && blankRow[r] && r != panel.chosenRow;
  };
  if (last - first + 1 > room) {
    while (first < last && blank(first)) ++first;
    while (last > first && blank(last)) --last;
  }
  std::vector<int> shown;
  if (room <= 0 || last < first) return shown;
  if (last - first + 1 <= room) {
    for (int r = first; r <= last; ++r) shown.push_back(r);
    return shown;
  }
  const int window = room - 1;  // below the first row
  if (window == 0) {
    shown.push_back(panel.chosenRow > first ? panel.chosenRow : first);
    return shown;
  }
  shown.push_back(first);
  int start = first + 1;
  if (panel.chosenRow >= start + window) {  // scrolled: the chosen row is the last shown
    start = std::min(panel.chosenRow - window + 1, last - window + 1);
  }
  for (int r = start; r < start + window; ++r) shown.push_back(r);
  return shown;
}

}  // namespace

PanelPlacement placePanel(const TextPanel& panel, const std::vector<bool>& blankRow,
                          const PanelRoom& room) {
  PanelPlacement placed;
  placed.panelRows = rowsShown(panel, blankRow, room.rows);
  const int height = static_cast<int>(placed.panelRows.size());
  placed.columns = std::min(panel.columns, room.columns);
  placed.left =
      std::clamp(panel.column - room.columnShift, 0, std::max(0, room.columns - panel.columns));
  if (height == 0) return placed;
  const bool coversFocusColumn =
      room.focusColumn >= placed.left && room.focusColumn < placed.left + placed.columns;
  const auto fits = [&](int top) { return top >= 0 && top + height <= room.rows; };
  // Where the grid's rows are in place, the panel is shown there already.
  if (room.gridRowsInPlace && height == panel.rows && fits(panel.row)) {
    placed.top = panel.row;
    return placed;
  }
  // Below the head rows, at the top, beneath the explorer's cell, at the bottom.
  const int candidates[] = {room.headRows, 0, room.focusRow + 1, room.rows - height};
  const auto clearOfFocus = [&](int top) {
    return !coversFocusColumn || room.focusRow < top || room.focusRow >= top + height;
  };
  placed.top = 0;
  for (const int top : candidates) {
    if (fits(top) && clearOfFocus(top)) {
      placed.top = top;
      return placed;
    }
  }
  for (const int top : candidates) {
    if (fits(top)) {
      placed.top = top;
      return placed;
    }
  }
  return placed;
}

}  // namespace glyphverse
