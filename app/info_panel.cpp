#include "app/info_panel.h"

#include <string>
#include <vector>

#include "app/panel.h"

namespace glyphverse {
namespace {

constexpr PanelBox INFO_BOX{7, 41, 35};
constexpr std::uint8_t SUN_GLYPH = 15;
constexpr std::uint8_t PLANET_GLYPH = 7;
constexpr std::uint8_t SWATCH_GLYPH = 219;
constexpr Color SUN_COLOR = 0xFFFFE040;
constexpr Color PLANET_COLOR = 0xFF80C0FF;

std::string counted(int count, const char* one, const char* many) {
  return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string cellText(Position cell) {
  return std::to_string(cell.x) + " " + std::to_string(cell.y);
}

// The place's rows of text; the swatch and the bodies are drawn over the
// rows left blank for them.
std::vector<PanelLine> lines(const Place& place, const PlaceFacts& facts) {
  std::vector<PanelLine> rows{{""}, {" " + facts.levelName}};
  if (place.viewLevel == GALAXY_LEVEL) {
    rows.push_back({" At " + cellText(place.galaxy), PANEL_DIM_COLOR});
    if (!facts.hasStar) {
      rows.push_back({" No star here", PANEL_MARK_COLOR});
      rows.push_back({" (Space still enters a system)", PANEL_DIM_COLOR});
      rows.push_back({""});
      return rows;
    }
  } else {
    rows.push_back(
        {" At " + cellText(place.local) + " of cell " + cellText(place.galaxy), PANEL_DIM_COLOR});
  }
  rows.push_back({" " + facts.systemName, PANEL_MARK_COLOR});
  rows.push_back({" " + counted(facts.counts.starCount, "star", "stars") + ", " +
                  counted(facts.counts.planetCount, "planet", "planets")});
  rows.push_back(
      {" Nebula " + std::to_string(facts.nebIntens) + ", " + std::string(facts.brightness)});
  rows.push_back({""});  // the bodies
  if (place.viewLevel != GALAXY_LEVEL && !facts.hasStar) {
    rows.push_back({" No star of the galaxy behind it", PANEL_DIM_COLOR});
  }
  rows.push_back({""});
  return rows;
}

void drawGlyphs(Display& display, int row, int column, std::uint8_t glyph, int count, Color color) {
  display.locateText(row, column);
  display.setTextColor(color);
  display.printText(std::string(static_cast<std::size_t>(count), static_cast<char>(glyph)), false);
}

}  // namespace

void InfoPanel::draw(Display& display, double /*now*/) {
  const Place place = where_();
  if (!place_ || !(*place_ == place)) {
    place_ = place;
    facts_ = placeFacts(place);
  }
  const std::vector<PanelLine> rows = lines(place, facts_);
  drawPanel(display, INFO_BOX, rows);
  if (place.viewLevel == GALAXY_LEVEL && !facts_.hasStar) return;
  // The swatch after "Nebula N, word", the bodies on the row below it.
  const int nebulaRow = INFO_BOX.row + 5;
  const int swatchColumn = INFO_BOX.column + static_cast<int>(rows[5].text.size()) + 1;
  drawGlyphs(display, nebulaRow, swatchColumn, SWATCH_GLYPH, 2, facts_.nebColor);
  drawGlyphs(display, nebulaRow + 1, INFO_BOX.column + 1, SUN_GLYPH, facts_.counts.starCount,
             SUN_COLOR);
  drawGlyphs(display, nebulaRow + 1, INFO_BOX.column + 1 + facts_.counts.starCount, PLANET_GLYPH,
             facts_.counts.planetCount, PLANET_COLOR);
}

}  // namespace glyphverse
