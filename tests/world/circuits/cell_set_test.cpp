// The circuits' cell set against a plain reference set, through growth, erasing and clearing of
// neighbouring cells (whose pointers differ only in their low bits).

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "engine/base/random.h"
#include "world/cells/map_block.h"
#include "world/circuits/cell_set.h"

namespace {

TEST(CellSetTest, AgreesWithAReferenceSetThroughInsertsErasesAndClears) {
  std::vector<MapBlock> cells(5000);
  CellSet set;
  std::set<MapBlock*> reference;
  engine::randomSeed(3);
  for (int round = 0; round < 6; ++round) {
    const int inserts = 50 + round * 700;
    for (int i = 0; i < inserts; ++i) {
      MapBlock* cell = &cells[static_cast<size_t>(engine::randomNext() % 5000)];
      EXPECT_EQ(set.insert(cell), reference.insert(cell).second);
    }
    for (int i = 0; i < 5; ++i) {
      MapBlock* cell = &cells[static_cast<size_t>(engine::randomNext() % 5000)];
      set.erase(cell);
      reference.erase(cell);
    }
    ASSERT_EQ(set.size(), reference.size());
    for (MapBlock& cell : cells) ASSERT_EQ(set.contains(&cell), reference.count(&cell) == 1);
    // Members come back in the order they went in, less the erased ones.
    EXPECT_EQ(std::set<MapBlock*>(set.members().begin(), set.members().end()), reference);
    set.clear();
    reference.clear();
    for (MapBlock& cell : cells) ASSERT_FALSE(set.contains(&cell)) << "round " << round;
  }
}

}  // namespace
