#include "gen/cell_batch.h"

#include "gen/cells.h"
#include "gen/noise.h"

namespace glyphverse {
namespace {

using ShapeTable = std::array<std::uint8_t, 256>;

ShapeTable makeShapeTable(float offset, float base) {
  ShapeTable table{};
  for (int v = 0; v < 256; ++v) table[v] = shapeChannel(static_cast<std::uint8_t>(v), offset, base);
  return table;
}

// The colour curve takes only 256 inputs, so pow runs 256 times, not per cell.
const ShapeTable& nebulaShape() {
  static const ShapeTable table = makeShapeTable(NEBULA_OFFSET, NEBULA_BASE);
  return table;
}

// One curve per nebula intensity, made when first needed.
const ShapeTable& systemShape(std::uint8_t nebIntens) {
  static std::array<ShapeTable, 256> tables{};
  static std::bitset<256> ready;
  if (!ready[nebIntens]) {
    tables[nebIntens] =
        makeShapeTable(static_cast<float>(nebIntens) / 2.0f, SYSTEM_BACKGROUND_BASE);
    ready[nebIntens] = true;
  }
  return tables[nebIntens];
}

}  // namespace

CellBatch::CellBatch(const ViewState& state, const std::bitset<MAP_SIDE>& rows)
    : tables_(noiseTables()), viewLevel_(state.viewLevel), x_(state.x), y_(state.y) {
  switch (viewLevel_) {
    case GALAXY_LEVEL:
      period_ = WORLD_PERIOD;
      octaves_ = 7;  // start sizes 4, 8, 16, 32 and 64
      break;
    case SYSTEM_LEVEL: {
      period_ = static_cast<double>(state.system.size);
      octaves_ = 7;  // start size 64
      const ShapeTable& shape = systemShape(state.system.nebIntens);
      for (int t = 0; t < 256; ++t) systemCells_[t] = systemCellFromLevel(shape[t], state.system);
      break;
    }
    case PLANET_LEVEL:
      period_ = WORLD_PERIOD;
      octaves_ = 6;  // start sizes 8, 16 and 32
      break;
    default:
      return;  // no content: nothing to prepare
  }
  for (int j = -MAP_RADIUS; j <= MAP_RADIUS; ++j) {
    if (!rows[j + MAP_RADIUS]) continue;
    rows_[j + MAP_RADIUS] = rowOctaves(wrapCoordinate(y_ + j), period_, octaves_, tables_);
  }
}

void CellBatch::startColumn(int i) {
  if (octaves_ == 0) return;
  column_ = columnOctaves(wrapCoordinate(x_ + i), period_, octaves_);
}

void CellBatch::generate(int i, int j, ViewMap& map) const {
  const int index = mapIndex(i, j);
  map.terrain[index] = 0;
  map.background[index] = GlyphCell{};
  map.foreground[index] = GlyphCell{};
  const RowOctaves& row = rows_[j + MAP_RADIUS];
  switch (viewLevel_) {
    case GALAXY_LEVEL:
      generateGalaxy(index, row, map);
      break;
    case SYSTEM_LEVEL:
      generateSystem(index, row, map);
      break;
    case PLANET_LEVEL:
      generatePlanet(index, row, map);
      break;
    default:
      break;
  }
}

// The star test reads unwrapped coordinates and the nebula wrapped ones; every
// octave period is a multiple of 256, so both see the same noise.
void CellBatch::generateGalaxy(int index, const RowOctaves& row, ViewMap& map) const {
  std::array<double, OCTAVE_COUNT> noise{};
  for (int k = 0; k < 7; ++k) noise[k] = octaveNoise(column_, row, k, tables_);
  const ShapeTable& shape = nebulaShape();
  map.background[index] =
      makeGlyphCell(NEBULA_GLYPH, shape[turbulenceFromOctaves(noise, 4)],
                    shape[turbulenceFromOctaves(noise, 5)], shape[turbulenceFromOctaves(noise, 6)]);
  if (isStarByte(turbulenceFromOctaves(noise, 2))) {
    map.foreground[index] = starFromBrightness(turbulenceFromOctaves(noise, 3));
  }
}

void CellBatch::generateSystem(int index, const RowOctaves& row, ViewMap& map) const {
  std::array<double, OCTAVE_COUNT> noise{};
  for (int k = 0; k < 7; ++k) noise[k] = octaveNoise(column_, row, k, tables_);
  map.background[index] = systemCells_[turbulenceFromOctaves(noise, 6)];
}

void CellBatch::generatePlanet(int index, const RowOctaves& row, ViewMap& map) const {
  std::array<double, OCTAVE_COUNT> noise{};
  for (int k = 0; k < 5; ++k) noise[k] = octaveNoise(column_, row, k, tables_);
  std::uint8_t terrain = terrainByFirstByte(turbulenceFromOctaves(noise, 4));
  if (terrain == 0) terrain = terrainBySecondByte(turbulenceFromOctaves(noise, 3));
  if (terrain == 0) {
    noise[5] = octaveNoise(column_, row, 5, tables_);
    terrain = terrainByThirdByte(turbulenceFromOctaves(noise, 5));
  }
  map.terrain[index] = terrain;
}

}  // namespace glyphverse
