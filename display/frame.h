#pragma once
// What one frame drew, as a value every backend can show whole: the text grid
// as the text output wrote it, the map's cells with their glyphs and tiles,
// and any area drawn pixel by pixel. Backends with pages show the pages, which
// the shared drawing code made from the same calls; a terminal writes the text
// as text and the map cells as their glyphs, and needs no font to read them
// back from pixels.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "display/color.h"
#include "display/image.h"

namespace glyphverse {

// One cell of the text grid as printed: a code-page-437 code in its colours.
struct TextCell {
  std::uint8_t code = 0;
  Color fore = 0;
  Color back = 0;
  friend bool operator==(const TextCell&, const TextCell&) = default;
};

// A glyph of the font in one colour; code 0 draws nothing.
struct GlyphStyle {
  std::uint8_t code = 0;
  Color color = 0;
  friend bool operator==(const GlyphStyle&, const GlyphStyle&) = default;
};

// A glyph in an opaque colour, 0xFF000000 | red << 16 | green << 8 | blue,
// packed in four bytes: the map keeps thousands of them a frame.
struct OpaqueGlyph {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t code = 0;

  GlyphStyle style() const {
    return GlyphStyle{
        code, 0xFF000000u | static_cast<Color>(red) << 16 | static_cast<Color>(green) << 8 | blue};
  }
  friend bool operator==(const OpaqueGlyph&, const OpaqueGlyph&) = default;
};

// One map cell as drawn: the background glyph, the foreground glyph, then
// the terrain's tile.
struct MapCell {
  GlyphStyle background;
  GlyphStyle foreground;
  GlyphStyle tile;
  friend bool operator==(const MapCell&, const MapCell&) = default;
};

// Where the map is drawn: cells -halfWidth..halfWidth by
// -halfHeight..halfHeight, 8 pixels a cell, the top-left one at page pixel
// (left, top).
// Plain ints with no padding: its bytes name the place.
struct MapPlace {
  int halfWidth = 0;
  int halfHeight = 0;
  int left = 0;
  int top = 0;

  int columns() const { return 2 * halfWidth + 1; }
  int rows() const { return 2 * halfHeight + 1; }
  std::size_t cellCount() const {
    return static_cast<std::size_t>(std::max(columns(), 0)) *
           static_cast<std::size_t>(std::max(rows(), 0));
  }
  // Where the cell (i, j) from the centre is in a picture's layers: column
  // by column from the left, each from the top.
  std::size_t indexOf(int i, int j) const {
    return static_cast<std::size_t>(i + halfWidth) * static_cast<std::size_t>(rows()) +
           static_cast<std::size_t>(j + halfHeight);
  }
  PixelRect area() const;
  friend bool operator==(const MapPlace&, const MapPlace&) = default;
};
static_assert(sizeof(MapPlace) == 4 * sizeof(int));

// The map as drawn, held by the frame as a copy: whatever happens to the map
// it was made from, the frame still shows what was drawn. Its layers run
// column by column (MapPlace::indexOf), as the explorer's map keeps its own,
// so that a copy is a few straight runs. On the centre cell the marker is
// drawn last.
struct MapPicture {
  MapPlace place;
  GlyphStyle marker;
  std::vector<OpaqueGlyph> background;  // glyph code 0 for none
  std::vector<OpaqueGlyph> foreground;
  std::vector<std::uint8_t> tileNumber;  // an index into `tiles`; none past its end
  std::vector<GlyphStyle> tiles;

  // The cell at (i, j) from the centre, inside the place.
  MapCell at(int i, int j) const {
    const std::size_t k = place.indexOf(i, j);
    return MapCell{background[k].style(), foreground[k].style(),
                   tileNumber[k] < tiles.size() ? tiles[tileNumber[k]] : GlyphStyle{}};
  }
};

// How a terminal too small for the whole grid keeps what matters: the first
// `headRows` rows (the text display) at its top, the last `footRows` rows
// (prompts and messages) at its bottom, and between them as much as fits
// around the focus cell.
struct FrameLayout {
  int headRows = 0;
  int footRows = 0;
  int focusRow = 0;  // grid cells, from 0
  int focusColumn = 0;
  // The first `meterColumns` cells of row `meterRow` (from 0) hold a reading
  // that changes on every frame by itself, such as the frame rate: output
  // that keeps all it is given writes them only along with another change.
  int meterRow = -1;
  int meterColumns = 0;
};

// A block of the text grid that is an open panel (cells from 0): where only
// part of the grid fits, the panel is shown whole in the room there is, or
// as much of it as fits around its chosen row.
struct TextPanel {
  int row = 0;
  int column = 0;
  int rows = 0;
  int columns = 0;
  int chosenRow = -1;  // the panel's row (from 0) that must stay in view, or -1
  friend bool operator==(const TextPanel&, const TextPanel&) = default;
};

class Frame {
 public:
  // An empty frame of rows x columns text cells over `background`.
  void reset(int rows, int columns, Color background);
  // Nothing drawn yet, on `background`; the text cells are kept for reuse.
  void clear(Color background);

  // Text printed at a cell (from 1); a later picture over it hides it.
  void putText(int row, int column, const TextCell& cell);
  // The map drawn at `place`, its layers sized for the caller to fill, the
  // storage kept from frame to frame. A `contentId` (see PageSet::Cover)
  // the layers were last filled under means they hold those cells still:
  // then there is nothing to fill, and null is returned.
  MapPicture* setMap(const MapPlace& place, GlyphStyle marker, std::uint64_t contentId = 0);
  // An area drawn pixel by pixel; several areas make one that holds them all.
  void addPixels(const PixelRect& area);
  // Text just printed is an open panel, shown over what was drawn before it.
  void addPanel(const TextPanel& panel) { panels_.push_back(panel); }

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  Color background() const { return background_; }
  // The text printed at a cell (from 0) this frame, or null.
  const TextCell* textAt(int row, int column) const;
  // The text printed this frame, row by row, as code-page-437 codes; a
  // space where nothing was printed.
  std::vector<std::string> textRows() const;
  // The map drawn this frame, or null.
  const MapPicture* map() const { return hasMap_ ? &map_ : nullptr; }
  const std::optional<PixelRect>& pixels() const { return pixels_; }
  // The open panels, in the order they were drawn.
  const std::vector<TextPanel>& panels() const { return panels_; }

 private:
  // Text cells whose area meets `area` are hidden by what is drawn there.
  void hideTextUnder(const PixelRect& area);

  int rows_ = 0;
  int columns_ = 0;
  Color background_ = DEFAULT_BACKGROUND;
  std::vector<TextCell> text_;
  // A cell holds this frame's text when its stamp is the frame's: clearing
  // moves the stamp on instead of touching every cell.
  std::vector<std::uint32_t> stamps_;
  std::uint32_t stamp_ = 1;
  int textCells_ = 0;  // cells printed since the clear
  MapPicture map_;     // kept when cleared, so its storage is reused
  bool hasMap_ = false;
  std::uint64_t mapContentId_ = 0;  // what the map's layers were filled under
  std::optional<PixelRect> pixels_;
  std::vector<TextPanel> panels_;
};

}  // namespace glyphverse
