// The entity effects an edit asks for, before the entities register: the stand-in knows no entity;
// and a cell's pixel position, at the scale the view measures the world with.
#include <gtest/gtest.h>

#include <memory>

#include "tests/world/world_recorders.h"
#include "world/cells/visible_cell_counts.h"

namespace {

using namespace world_test;

TEST(EntityEffectsSeam, TheStandInKnowsNoEntity) {
  ASSERT_FALSE(entityEffectsSeam().registered());
  EntityEffects& none = entityEffects();
  int marker = 0;
  EXPECT_EQ(none.idOf(reinterpret_cast<const Entity*>(&marker)), kNoEntity);
  EXPECT_EQ(none.entityById(kNoEntity), nullptr);
  EXPECT_EQ(none.entityById(1), nullptr);
}

class CellPixels : public WorldTest {};

// Drops, debris and blasts are placed at the scale the view measures the world with.
TEST_F(CellPixels, ACellLiesWhereTheViewCountsIt) {
  std::unique_ptr<World> world = World::create(nullptr, WorldParams{}, 40, 20);
  EXPECT_FLOAT_EQ(cellPixelPosition(*world->cellAt(0, 0)).x, 0.0f);
  EXPECT_FLOAT_EQ(cellPixelPosition(*world->cellAt(0, 0)).y, 0.0f);
  const engine::Vec2 far = cellPixelPosition(*world->cellAt(39, 19));
  EXPECT_FLOAT_EQ(far.x, 39 * CELL_PIXELS);
  EXPECT_FLOAT_EQ(far.y, 19 * CELL_PIXELS) << "rows count upwards from the bottom";
}

}  // namespace
