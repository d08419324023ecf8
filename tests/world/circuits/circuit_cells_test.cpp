#include <gtest/gtest.h>

#include <memory>
#include <type_traits>
#include <vector>

#include "tests/world/world_test_blocks.h"
#include "world/cells/cell_refresh.h"
#include "world/cells/direction.h"
#include "world/circuits/circuit_cells.h"
#include "world/circuits/circuit_part.h"
#include "world/map/world_map.h"

namespace {

using namespace world_test;
namespace ck = circuit_kind;

constexpr CircuitDir kUp = CircuitDir::Up, kRight = CircuitDir::Right, kDown = CircuitDir::Down,
                     kLeft = CircuitDir::Left;

static_assert(!std::is_convertible_v<CircuitDir, Direction> && !std::is_convertible_v<Direction, CircuitDir>);

class RecordingRefresh final : public CellRefresh {
 public:
  void refreshCell(const MapBlock& cell) override { cells.push_back({cell.x, cell.y}); }
  void cellChanged(const MapBlock&, uint8_t) override {}
  std::vector<std::pair<int, int>> cells;
};

class CircuitCellsTest : public WorldTest {
 protected:
  void SetUp() override {
    WorldTest::SetUp();
    map_ = std::make_unique<WorldMap>(nullptr, WorldParams{}, 8, 6);
  }
  MapBlock& at(int x, int y) { return map_->cell(x, y); }
  MapBlock& part(int x, int y, uint8_t kind, uint8_t rotation = 0) {
    MapBlock& c = at(x, y);
    setCircuitKind(c, kind);
    c.circuitB = static_cast<uint8_t>((c.circuitB & 0xCF) | (rotation << 4));
    return c;
  }
  std::unique_ptr<WorldMap> map_;
  RecordingRefresh refresh_;
};

TEST_F(CircuitCellsTest, CrossingsAreLookedThroughAndARingOfThemAcrossTheWrapEnds) {
  part(5, 2, ck::kSourceBlock);
  setSignalByte(at(5, 2), circuit_signal::kHigh);
  for (int x = 2; x <= 4; ++x) part(x, 2, ck::kCrossing);
  EXPECT_EQ(readSignal(*map_, at(2, 2), kLeft), circuit_signal::kHigh) << "three crossings to the source";
  part(4, 0, ck::kCrossing);
  EXPECT_EQ(readSignal(*map_, at(4, 0), kUp), circuit_signal::kNone) << "no cell below the bottom row";

  for (int x = 0; x < map_->width(); ++x) part(x, 4, ck::kCrossing);
  EXPECT_EQ(readSignal(*map_, at(0, 4), kRight), circuit_signal::kNone);
  part(3, 4, ck::kConstantHigh);
  setSignalByte(at(3, 4), circuit_signal::kHigh);
  EXPECT_EQ(readSignal(*map_, at(5, 4), kLeft), circuit_signal::kHigh) << "found across the seam";
}

TEST_F(CircuitCellsTest, PlacingAWireDrawsItsSidesAndItsWireNeighbours) {
  setSignalByte(at(0, 2), circuit_signal::analog(9));
  placePlainWire(refresh_, *map_, at(0, 2));
  EXPECT_EQ(signalByte(at(0, 2)), circuit_signal::analog(9)) << "placing a wire keeps its signal";
  placePlainWire(refresh_, *map_, at(0, 1));  // below the first one
  part(7, 2, ck::kAnd);             // left of (0,2) across the seam; its inputs face sideways
  part(0, 3, ck::kAnd);             // above; its inputs face sideways, not down
  refresh_.cells.clear();
  placePlainWire(refresh_, *map_, at(0, 2));
  EXPECT_EQ(wireSideBits(at(0, 2)), sideBit(kDown) | sideBit(kLeft));
  EXPECT_EQ((std::vector<std::pair<int, int>>{{0, 2}}), refresh_.cells) << "the neighbour was already drawn";

  // A gate turned to face the wire makes the wire show that side.
  MapBlock& gate = part(1, 2, ck::kNot, 3);
  refreshWireBits(refresh_, *map_, gate);
  EXPECT_EQ(wireSideBits(at(0, 2)), sideBit(kDown) | sideBit(kLeft) | sideBit(kRight));
}

TEST_F(CircuitCellsTest, ALightSensorStartsAtTheSkyLevelLessTheDarkness) {
  const BlockPropsTable props;
  MapBlock lit;
  lit.setSkyLevel(15);
  EXPECT_EQ(circuitKindForBlock(props, 2117), ck::kSensorBlock);
  EXPECT_EQ(initialSignalForBlock(props, lit, 2117, 4), circuit_signal::analog(11)) << "sky 15 less darkness 4";
}

TEST_F(CircuitCellsTest, KindsPastTheTableReadAsNoPart) {
  MapBlock& c = at(1, 1);
  c.circuitA = static_cast<uint8_t>(31 << 2);
  EXPECT_EQ(circuitPart(circuitKind(c)).kind, ck::kNone);
  for (CircuitDir d : kCircuitDirs) EXPECT_FALSE(connectsToward(&c, d));
}

}  // namespace
