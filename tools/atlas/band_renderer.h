#pragma once
// The pixel rows of an atlas, one band of cell rows at a time. The renderer
// only reads what it was made from, so every thread renders its bands with
// the same one; each band in flight has scratch space of its own.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/image.h"
#include "gen/cell_batch.h"
#include "render/level_blocks.h"
#include "tools/atlas/atlas_layout.h"
#include "tools/atlas/atlas_world.h"
#include "tools/atlas/glyph_rows.h"

namespace glyphverse {

class BandRenderer {
 public:
  // Keeps references to both: they must outlive the renderer.
  BandRenderer(const LevelWorld& world, const AtlasLayout& layout);

  struct Scratch {
    std::vector<RowOctaves> rows;
    std::vector<ColumnOctaves> columns;
    std::vector<CellContent> cells;  // the band's cells, row by row
    GlyphPainter::Scratch glyphs;
  };

  // Writes the pixel rows of cell rows firstCellRow .. firstCellRow + cellRows
  // - 1 of the atlas to `out`, rowBytes apart (layout.rowBytes()); each row
  // starts with a byte left free for PNG's filter type, then RGB pixels.
  void render(std::int64_t firstCellRow, int cellRows, Scratch& scratch, std::uint8_t* out) const;

  // What a scratch holds, beyond its own size, once it has rendered a band
  // of `cellRows` cell rows of `layout`.
  static std::uint64_t scratchBytes(const AtlasLayout& layout, std::int64_t cellRows);

 private:
  void renderBlocks(int cellRows, const Scratch& scratch, std::uint8_t* out) const;
  void renderGlyphs(int cellRows, Scratch& scratch, std::uint8_t* out) const;

  const AtlasLayout& layout_;
  CellBatch batch_;
  std::size_t rowBytes_;
  GlyphPainter glyphs_;
};

}  // namespace glyphverse
