#include <gtest/gtest.h>

#include "app/map_mode.h"
#include "gen/places.h"
#include "render/map_view.h"
#include "world/geometry.h"

namespace glyphverse {
namespace {

// The map's pointer with the explorer's gates, frames at clock readings of
// our own and no key held.
class MapPointer : public ::testing::Test {
 protected:
  void SetUp() override { frameAt(100.0); }  // the gates start here, armed
  void frameAt(double now) { map.handleHeldKeys(keys, now); }
  void pointer(PointerEvent::Kind kind, int x, int y, int clicks = 1) {
    map.handlePointer(PointerEvent{kind, x, y, clicks, 0}, 100.0);
  }
  // The middle pixel of the cell `dx` right of the explorer's and `dy` down.
  static int pixelX(int dx) { return MAP_LEFT + (MAP_RADIUS + dx) * CELL_SIZE + CELL_SIZE / 2; }
  static int pixelY(int dy) { return MAP_TOP + (MAP_RADIUS + dy) * CELL_SIZE + CELL_SIZE / 2; }

  ViewState state = stateAt(galaxyPlace(2, 10));
  ViewMap viewMap = initViewMap(2, 10);
  InputGates gates;
  FrameMeter meter;
  MapMode map{state, viewMap, gates, meter};
  HeldKeys keys;
};

TEST_F(MapPointer, AClickWalksThereOneCellEachTimeTheMoveGateOpens) {
  pointer(PointerEvent::Kind::press, pixelX(-5), pixelY(1));
  pointer(PointerEvent::Kind::release, pixelX(-5), pixelY(1));
  double now = 100.0;
  for (int frame = 0; frame < 10; ++frame) frameAt(now += MOVE_INTERVAL * 0.3);
  // Ten frames within three gate intervals: two steps, the first one diagonal.
  EXPECT_EQ(state.x, wrapCoordinate(0));
  EXPECT_EQ(state.y, 11);
  for (int frame = 0; frame < 20; ++frame) frameAt(now += MOVE_INTERVAL * 2);
  EXPECT_EQ(state.x, wrapCoordinate(-3));  // across the world's edge, as walking goes
  EXPECT_EQ(state.y, 11);
}

TEST_F(MapPointer, ADragWalksACellForEachCellCrossedAndClicksNowhere) {
  pointer(PointerEvent::Kind::press, 300, 300);
  pointer(PointerEvent::Kind::move, 300 + 3 * CELL_SIZE, 300 - 1);
  pointer(PointerEvent::Kind::move, 300 + 2 * CELL_SIZE + 1, 300);
  pointer(PointerEvent::Kind::release, 300 + 2 * CELL_SIZE + 1, 300);
  double now = 100.0;
  for (int frame = 0; frame < 10; ++frame) frameAt(now += MOVE_INTERVAL * 2);
  EXPECT_EQ(state.x, 4);
  EXPECT_EQ(state.y, 10);
}

}  // namespace
}  // namespace glyphverse
