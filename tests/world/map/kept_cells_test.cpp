// A copy of a map's cells kept level with it: it copies what the map marked changed since it was
// last brought level and nothing else, and copies everything when it did not follow that map.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "tests/world/world_test_blocks.h"
#include "world/map/changed_chunks.h"
#include "world/map/kept_cells.h"
#include "world/map/world_map.h"

namespace {

using namespace world_test;

class KeptCellsTest : public WorldTest {
 protected:
  // 64 rows: a chunk is 8 columns.
  static constexpr int32_t kWidth = 64;
  static constexpr int32_t kHeight = 64;
  static constexpr size_t kColumnsPerChunk = ChangedChunks::kChunkCells / kHeight;

  static bool level(const KeptCells& kept, const WorldMap& map) {
    const CellGrid& cells = kept.cells();
    return cells.size() == map.cellCount() &&
           std::equal(map.cells(), map.cells() + map.cellCount(), cells.data(), [](const MapBlock& a, const MapBlock& b) {
             return a.front == b.front && a.back == b.back && a.decos == b.decos && a.circuitA == b.circuitA &&
                    a.liquid == b.liquid && a.x == b.x && a.y == b.y;
           });
  }

  WorldMap map{nullptr, WorldParams{}, kWidth, kHeight};
};

TEST_F(KeptCellsTest, ANewCopyTakesEveryCellAndThenOnlyTheChunksMarkedSince) {
  KeptCells kept;
  kept.levelWith(map);
  EXPECT_EQ(kept.lastCopied(), map.cellCount()) << "a new map counts every cell changed";
  EXPECT_TRUE(level(kept, map));

  kept.levelWith(map);
  EXPECT_EQ(kept.lastCopied(), 0u) << "nothing changed";

  map.setBlockAt(kDirt, 0, 20, 5, 0);
  map.setBlockAt(kDirt, 0, 21, 40, 0);  // the same chunk
  map.addDecoAt(kTorch, 0, 60, 3);
  kept.levelWith(map);
  EXPECT_EQ(kept.lastCopied(), 2 * ChangedChunks::kChunkCells);
  EXPECT_TRUE(level(kept, map));
}

TEST_F(KeptCellsTest, AnUnmarkedWriteStaysOutOfTheCopy) {
  KeptCells kept;
  kept.levelWith(map);
  map.cell(30, 7).circuitA = 5;  // a writer that forgot its mark
  kept.levelWith(map);
  EXPECT_EQ(kept.cells()[map.index(30, 7)].circuitA, 0) << "the copy costs what was marked, nothing more";
  map.markChanged(map.cell(30, 7));
  kept.levelWith(map);
  EXPECT_EQ(kept.cells()[map.index(30, 7)].circuitA, 5);
}

TEST_F(KeptCellsTest, AnEditsColumnsAreMarkedAcrossTheWrap) {
  KeptCells kept;
  kept.levelWith(map);
  map.markColumnsAround(0);
  ChangedChunks& changed = map.changedChunks();
  EXPECT_TRUE(changed.marked(map.index(0, 63)));
  EXPECT_TRUE(changed.marked(map.index(1, 0)));
  EXPECT_TRUE(changed.marked(map.index(kWidth - 1, 10))) << "the column left of 0 is the last";
  EXPECT_FALSE(changed.marked(map.index(static_cast<int32_t>(kColumnsPerChunk), 0)));
  EXPECT_FALSE(changed.marked(map.index(kWidth - 1 - static_cast<int32_t>(kColumnsPerChunk), 0)));
  size_t marked = 0;
  for (size_t first = 0; first < map.cellCount(); first += ChangedChunks::kChunkCells) marked += changed.marked(first) ? 1 : 0;
  EXPECT_EQ(marked, 2u);
}

// One copy following two maps in turn, or two copies following one map: each time the copy is not
// the one the map's marks count from, every cell is copied.
TEST_F(KeptCellsTest, ACopyThatFollowedAnotherMapOrAMapThatFollowedAnotherCopyCopiesEverything) {
  WorldMap other(nullptr, WorldParams{}, kWidth, kHeight);
  other.setBlockAt(kGlass, 0, 9, 9, 0);
  KeptCells kept;
  kept.levelWith(map);
  kept.levelWith(other);
  EXPECT_EQ(kept.lastCopied(), other.cellCount());
  kept.levelWith(map);
  EXPECT_EQ(kept.lastCopied(), map.cellCount());
  EXPECT_TRUE(level(kept, map));

  KeptCells second;
  second.levelWith(map);
  map.setBlockAt(kDirt, 0, 3, 3, 0);
  kept.levelWith(map);
  EXPECT_EQ(kept.lastCopied(), map.cellCount()) << "the map's marks were cleared for the other copy";
  EXPECT_TRUE(level(kept, map));
}

// The copy the map's maker prepared is level with the map, and the map's later marks count from it.
TEST_F(KeptCellsTest, APreparedCopyIsTakenOnceAndFollowsTheMap) {
  map.setBlockAt(kDirt, 0, 12, 12, 0);
  map.prepareKeptCopy();
  std::unique_ptr<KeptCells> prepared = map.takePreparedCopy();
  ASSERT_NE(prepared, nullptr);
  EXPECT_EQ(map.takePreparedCopy(), nullptr);
  EXPECT_TRUE(prepared->follows(map));
  EXPECT_TRUE(level(*prepared, map));
  map.setBlockAt(kDirt, 0, 40, 12, 0);
  prepared->levelWith(map);
  EXPECT_EQ(prepared->lastCopied(), ChangedChunks::kChunkCells);
  EXPECT_TRUE(level(*prepared, map));
}

// A map made to be generated has no cells until its builder makes them.
TEST_F(KeptCellsTest, AMapMadeForLaterGetsItsCellsWhenItsBuilderMakesThem) {
  WorldMap later(nullptr, WorldParams{}, kWidth, kHeight, CellsMade::Later);
  EXPECT_EQ(later.cellCount(), 0u);
  later.makeCells();
  ASSERT_EQ(later.cellCount(), static_cast<size_t>(kWidth * kHeight));
  EXPECT_EQ(later.cell(5, 6).x, 5);
  EXPECT_EQ(later.cell(5, 6).y, 6);
  KeptCells kept;
  kept.levelWith(later);
  EXPECT_EQ(kept.lastCopied(), later.cellCount());
}

}  // namespace
