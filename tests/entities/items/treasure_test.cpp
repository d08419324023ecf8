// Dropped items: tossed up and away, they fall, come to rest and are offered to the players on
// their cell where rules run; they age only while not frozen and give their item back when they go.

#include <cmath>
#include <utility>

#include "entities/items/treasure_entity.h"
#include "entities/items/treasure_factory.h"
#include "tests/entities/entity_world.h"
#include "tests/support/item_pool_probe.h"

namespace entity_test {
namespace {

using Treasures = EntityWorld;

TEST_F(Treasures, ATossedTreasureLeavesUpwardsAtOneToTwoPixelsATick) {
  for (int i = 0; i < 200; ++i) {
    TreasureEntity* t = createTreasureEntityTossed(lists, newItem(120, 0, 1, -1, 0), {pixel(10), pixel(10)}, 0);
    ASSERT_NE(t, nullptr);
    const double speed = std::hypot(t->data.impulseX, t->data.impulseY);
    const double degrees = std::atan2(t->data.impulseY, t->data.impulseX) * 180.0 / 3.14159265358979;
    EXPECT_GE(speed, 1.0 - 1e-5);
    EXPECT_LE(speed, 2.0 + 1e-5);
    EXPECT_GE(degrees, 22.5 - 1e-3);
    EXPECT_LE(degrees, 157.5 + 1e-3);
    EXPECT_EQ(t->kind(), EntityKind::Treasure);
    EXPECT_EQ(t->timer, TreasureEntity::kLifetime);
  }
}

TEST_F(Treasures, AnItemOffTheMapRowsMakesNothingAndGoesBackToThePool) {
  ItemPtr item = newItem(120, 0, 1, -1, 0);
  const size_t freeBefore = freeItemSlots() + 1;
  EXPECT_EQ(createTreasureEntity(lists, std::move(item), {pixel(3), pixel(kHeight + 2)}, 1, 0, 0), nullptr);
  EXPECT_EQ(freeItemSlots(), freeBefore);
  EXPECT_EQ(lists.count(), 0u);
}

TEST_F(Treasures, ADroppedItemFallsComesToRestAndIsOfferedOnceWhereRulesRun) {
  for (bool ruled : {true, false}) {
    withRules(ruled);
    rules.offered.clear();
    TreasureEntity* t = createTreasureEntityTossed(lists, newItem(120, 0, 1, -1, 0), {pixel(10), pixel(9)}, 0);
    for (int i = 0; i < 600 && t->data.moving; ++i) lists.tick();
    ASSERT_FALSE(t->data.moving) << "it settles within ten seconds";
    EXPECT_EQ(t->data.cell->y, kGround + 1) << "on the ground";
    EXPECT_NEAR(t->data.y - t->data.halfHeight, pixel(kGround + 1) - 15, 0.05f);
    EXPECT_EQ(rules.offered.size(), ruled ? 1u : 0u) << "a client waits for the host";
    lists.tick();
    EXPECT_EQ(rules.offered.size(), ruled ? 1u : 0u) << "offered once, when it came to rest";
    t->data.removed = true;
    lists.tick();
  }
}

TEST_F(Treasures, ATreasureLivesThirtySixThousandTicksUnlessFrozen) {
  TreasureEntity* aging = createTreasureEntity(lists, newItem(120, 0, 3, -1, 0), {pixel(10), pixel(8)}, 0, 0, 0);
  TreasureEntity* shelved = createTreasureEntity(lists, newItem(121, 0, 1, -1, 0), {pixel(12), pixel(8)}, 0, 0, 0);
  shelved->data.frozen = true;
  const EntityId agingId = aging->id();
  const size_t freeBefore = freeItemSlots();
  for (int i = 0; i < 36000; ++i) lists.tick();
  ASSERT_EQ(lists.findById(agingId), aging) << "still there after 36000 ticks";
  lists.tick();
  EXPECT_EQ(lists.findById(agingId), nullptr) << "gone at the 36001st";
  EXPECT_EQ(lists.lastRemovals().count(), 1u);
  EXPECT_EQ(freeItemSlots(), freeBefore + 1) << "its item went back to the pool";
  EXPECT_EQ(shelved->timer, TreasureEntity::kLifetime) << "a frozen treasure never ages";
  EXPECT_TRUE(shelved->isGone()) << "nor can a player take it";
}

}  // namespace
}  // namespace entity_test
