// The shared cell operations take the short way across the world's seam.

#include "entities/core/cell_operations.h"
#include <cmath>

#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

using CellOperations = EntityWorld;

TEST_F(CellOperations, DistancesAndRangesGoTheNearWayAcrossTheSeam) {
  WorldMap& map = world->map();
  const struct {
    int32_t ax, ay, bx, by;
    float distance;
  } cases[] = {
      {0, 10, kWidth - 1, 10, 1},  {kWidth - 1, 10, 0, 10, 1}, {0, 10, 3, 14, 25},
      {2, 10, kWidth - 2, 10, 16}, {0, 10, kWidth / 2, 10, 400},
  };
  for (const auto& c : cases) {
    EXPECT_FLOAT_EQ(cellDistanceSquared(map, cell(c.ax, c.ay), cell(c.bx, c.by)), c.distance) << c.ax << "->" << c.bx;
  }
  EXPECT_TRUE(blocksWithinRange(map, cell(0, 10), cell(kWidth - 2, 12), 2));
  EXPECT_FALSE(blocksWithinRange(map, cell(0, 10), cell(kWidth - 3, 10), 2));
  EXPECT_FALSE(blocksWithinRange(map, cell(0, 10), cell(0, 13), 2));
}

TEST_F(CellOperations, PointsAndColumnsFindTheirCells) {
  WorldMap& map = world->map();
  const struct {
    float x, y;
    int32_t column, row;
  } cases[] = {
      {-20, 30, kWidth - 1, 1}, {-50, 30, kWidth - 2, 1}, {-15, 30, 0, 1}, {14.9f, 44.9f, 0, 1},
      {15, 45, 1, 2},           {pixel(kWidth), 0, 0, 0},
  };
  for (const auto& c : cases) {
    const MapBlock* found = blockAtPoint(map, {c.x, c.y});
    ASSERT_NE(found, nullptr) << c.x;
    EXPECT_EQ(found->x, c.column) << c.x;
    EXPECT_EQ(found->y, c.row) << c.y;
  }
  EXPECT_EQ(blockAtPoint(map, {0, pixel(kHeight) - 14}), nullptr);
  EXPECT_EQ(blockAtPoint(map, {0, -16}), &cell(0, 0)) << "rows round toward zero";
  EXPECT_EQ(blockAtPoint(map, {0, -46}), nullptr);
  EXPECT_EQ(blockAtPoint(map, {std::nanf(""), 0}), nullptr);
  EXPECT_EQ(blockAtPoint(map, {1e30f, 0}) != nullptr, true) << "any finite x wraps into the map";
  EXPECT_EQ(cellAt(map, -1, 3), &cell(kWidth - 1, 3));
  EXPECT_EQ(cellAt(map, kWidth + 2, 3), &cell(2, 3));
  EXPECT_EQ(cellAt(map, 0, kHeight), nullptr);

  world->map().mutableProps().mutableRow(7).transparency = 1;
  cell(3, 10).setFront(7, 0, 0);
  EXPECT_TRUE(blockHasFlagAt(map, 3, 10));
  EXPECT_FALSE(blockHasFlagAt(map, 3, kGround));
  EXPECT_FALSE(blockHasFlagAt(map, 3, -1));
}

TEST_F(CellOperations, ALineOfOpenCellsReachesAMobJustAcrossTheSeam) {
  WorldMap& map = world->map();
  EXPECT_TRUE(lineOfCellsClear(map, cell(0, 8), kWidth - 2, 10)) << "two steps right across the seam, two down";
  EXPECT_TRUE(lineOfCellsClear(map, cell(5, 8), 5, 8));
  // A wall of stone between them, open nowhere: no line.
  for (int32_t y = kGround + 1; y < kHeight; ++y) cell(kWidth - 1, y).setFront(kStone, 0, 0);
  EXPECT_FALSE(lineOfCellsClear(map, cell(0, 8), kWidth - 2, 10));
  // An opening in the wall at row 10 lets the staircase through.
  cell(kWidth - 1, 10).setFront(0, 0, 0);
  EXPECT_TRUE(lineOfCellsClear(map, cell(0, 8), kWidth - 2, 10));
}

}  // namespace
}  // namespace entity_test
