#pragma once
// The scanner's picture: a view level at a few pixels a cell around a
// crosshair, with the square that the map would show outlined. The cells'
// colours are kept from frame to frame; a pan computes only the cells that
// came into view.

#include <cstdint>
#include <optional>
#include <vector>

#include "base/worker_pool.h"
#include "display/image.h"
#include "gen/cell_batch.h"
#include "gen/star_filter.h"
#include "world/level_world.h"
#include "world/place.h"

namespace glyphverse {

inline constexpr Color CROSSHAIR_COLOR = 0xFFFFFFFF;
inline constexpr Color MAP_OUTLINE_COLOR = 0xFF808080;
// The ring around a star whose system passes the search's filter, with a
// dark ring outside it, so that it stands out on any nebula.
inline constexpr Color MATCH_COLOR = 0xFFE0FF20;
inline constexpr Color MATCH_EDGE_COLOR = 0xFF000000;

// What the picture shows: a level's world, `zoom` pixels a cell, centred on
// the world cell (x, y), with the stars whose systems pass `marks` ringed,
// and on the galaxy the cells `ringed` lists (a catalogue's systems) too.
struct ScannerFrame {
  const LevelWorld& world;
  int zoom = 1;
  std::int32_t x = 0;
  std::int32_t y = 0;
  const StarFilter* marks = nullptr;
  const std::vector<Position>* ringed = nullptr;
};

class ScannerPicture {
 public:
  // Draws the frame onto the whole of `page`, cells, crosshair and outline.
  void draw(Image& page, const ScannerFrame& frame);
  // The colours are computed anew at the next draw.
  void forget() { valid_ = false; }

  // The world cell at the top-left of a page of that size (unwrapped).
  static std::int64_t leftCell(const ScannerFrame& frame, int pageWidth);
  static std::int64_t topCell(const ScannerFrame& frame, int pageHeight);

 private:
  void update(const ScannerFrame& frame, int columns, int rows);

  void drawMarks(Image& page, int zoom) const;
  void drawRinged(Image& page, int zoom, const std::vector<Position>& cells) const;

  WorkerPool pool_{WorkerPool::coreCount()};  // computes the colours, every frame
  std::vector<Color> colors_;                 // columns_ x rows_, row by row
  std::vector<std::uint8_t> marked_;          // the same cells: 1 where a star is marked
  std::optional<StarFilter> marks_;           // the filter marked_ follows
  int columns_ = 0;
  int rows_ = 0;
  std::int64_t left_ = 0;  // world cell of colors_[0], unwrapped
  std::int64_t top_ = 0;
  std::int32_t viewLevel_ = 0;
  double tablesSeed_ = 0.0;
  double systemSeed_ = 0.0;
  bool valid_ = false;
};

}  // namespace glyphverse
