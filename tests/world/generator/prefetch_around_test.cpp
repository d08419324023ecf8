#include <gtest/gtest.h>

#include "world/generator/prefetch_around.h"
#include "world/map/world_map.h"
#include "world/map/world_params.h"

namespace {

// The cells asked for ahead of a flood are the ones it then reads: the point's own and its row
// neighbours', by the map's own indexing, round the seam on either side.
TEST(PrefetchAroundTest, RowNeighboursAreTheMapsOwnCellsBesideThePointAcrossTheSeam) {
  WorldParams params;
  const WorldMap map(nullptr, params, 7, 5);
  for (int32_t x = 0; x < 7; ++x) {
    for (int32_t y = 0; y < 5; ++y) {
      const RowNeighbours at = rowNeighbours(x, y, 7, 5);
      EXPECT_EQ(at.here, map.index(x, y));
      EXPECT_EQ(at.left, map.index(map.wrapX(x - 1), y));
      EXPECT_EQ(at.right, map.index(map.wrapX(x + 1), y));
    }
  }
  const RowNeighbours first = rowNeighbours(0, 2, 7, 5);
  EXPECT_EQ(&map.cells()[first.left], &map.cell(6, 2)) << "left of the first column is the last";
  const RowNeighbours last = rowNeighbours(6, 2, 7, 5);
  EXPECT_EQ(&map.cells()[last.right], &map.cell(0, 2)) << "right of the last column is the first";
  prefetchCellsAround(map.cells(), last);  // asks, reads nothing: the cells stay as they were
  EXPECT_EQ(map.cell(0, 2).frontId(), 0);
}

}  // namespace
