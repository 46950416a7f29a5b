#include "render/map_pass.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "display/pixel_rows.h"
#include "render/cell_compose.h"
#include "render/map_view.h"
#include "render/tiles.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// Stand-ins for the layers a cell lacks: no glyph pixels, a tile that keeps
// every pixel.
const GlyphMask NO_GLYPH{};
const KeyedStamp NO_TILE = [] {
  KeyedStamp stamp{};
  stamp.keep.fill(splatRow(0xFFFFFFFFu));
  return stamp;
}();

// Which layers hold anything anywhere in the map. Only those are composed,
// each cell's own lack of one is covered by the stand-ins, and so the pass
// runs without a branch per cell, except for the foreground: stars are few
// and scattered, and branching on them costs less than composing them.
struct LayersPresent {
  bool back = false;
  bool fore = false;
  bool tile = false;
};

// std::bit_cast, which not every standard library has yet (Emscripten's).
template <typename To, typename From>
To bitCast(const From& from) {
  static_assert(sizeof(To) == sizeof(From) && std::is_trivially_copyable_v<To> &&
                std::is_trivially_copyable_v<From>);
  To to;
  std::memcpy(static_cast<void*>(&to), &from, sizeof to);
  return to;
}

// Glyph cells are ORed as whole words, which keeps the loop simple enough to
// vectorise; the glyph byte of the result is the OR of all glyphs.
bool anyGlyph(const std::array<GlyphCell, MAP_CELLS>& layer) {
  std::uint32_t all = 0;
  for (const GlyphCell& cell : layer) all |= bitCast<std::uint32_t>(cell);
  return !isEmpty(bitCast<GlyphCell>(all));
}

LayersPresent layersPresent(const ViewMap& map) {
  unsigned terrain = 0;
  for (const TerrainClass t : map.terrain) terrain |= static_cast<unsigned>(t);
  return {anyGlyph(map.background), anyGlyph(map.foreground), terrain != 0};
}

struct PassInputs {
  const ViewMap& map;
  int halfWidth;
  int halfHeight;
  const std::array<GlyphMask, 256>& masks;
  std::array<const KeyedStamp*, 256> stamps;  // NO_TILE where there is none
  PixelRow paper;
};

template <bool Back, bool Fore, bool Tile>
void composeCells(Image& page, Color* topLeft, const PassInputs& in) {
  for (int j = -in.halfHeight; j <= in.halfHeight; ++j) {
    Color* line =
        topLeft + static_cast<std::ptrdiff_t>(CELL_SIZE) * (j + in.halfHeight) * page.width;
    for (int i = -in.halfWidth; i <= in.halfWidth; ++i, line += CELL_SIZE) {
      const int index = mapIndex(i, j);
      const GlyphCell back = in.map.background[index];
      const GlyphCell fore = in.map.foreground[index];
      CellInk ink;
      ink.back = isEmpty(back) ? &NO_GLYPH : &in.masks[back.glyph];
      ink.backColor = cellColor(back);
      if constexpr (Tile) ink.tile = in.stamps[terrainNumber(in.map.terrain[index])];
      if (Fore && !isEmpty(fore)) {
        ink.fore = &in.masks[fore.glyph];
        ink.foreColor = cellColor(fore);
        composeCell<Back, true, Tile, true>(line, page.width, ink, in.paper);
      } else {
        composeCell<Back, false, Tile, true>(line, page.width, ink, in.paper);
      }
    }
  }
}

}  // namespace

void composeViewMap(Image& page, const ViewMap& map, int halfWidth, int halfHeight, int left,
                    int top, Color background) {
  PassInputs in{map, halfWidth, halfHeight, glyphMasks(), {}, splatRow(background)};
  const TerrainStamps& stamps = terrainStamps();
  for (std::size_t t = 0; t < stamps.size(); ++t) {
    in.stamps[t] = stamps[t] != nullptr ? stamps[t] : &NO_TILE;
  }
  Color* topLeft = &page.at(left, top);
  const LayersPresent present = layersPresent(map);
  const unsigned variant =
      (present.back ? 1u : 0u) | (present.fore ? 2u : 0u) | (present.tile ? 4u : 0u);
  switch (variant) {
    case 0:
      return composeCells<false, false, false>(page, topLeft, in);
    case 1:
      return composeCells<true, false, false>(page, topLeft, in);
    case 2:
      return composeCells<false, true, false>(page, topLeft, in);
    case 3:
      return composeCells<true, true, false>(page, topLeft, in);
    case 4:
      return composeCells<false, false, true>(page, topLeft, in);
    case 5:
      return composeCells<true, false, true>(page, topLeft, in);
    case 6:
      return composeCells<false, true, true>(page, topLeft, in);
    default:
      return composeCells<true, true, true>(page, topLeft, in);
  }
}

}  // namespace glyphverse
