// Toys bounce and lift by their spec and balloons burst; fish turn back at the end of their
// aquarium row and never fall; fruit hangs until its plant lets it go; clothes stay where they are
// put. Each kind's record brings it back.

#include "entities/core/entity_record.h"
#include "entities/items/dress_entity.h"
#include "entities/items/fish_entity.h"
#include "entities/items/fruit_entity.h"
#include "entities/items/toy_entity.h"
#include "entities/items/treasure_factory.h"
#include "entities/records/entity_from_record.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

using Toys = EntityWorld;

ToyEntity& throwToy(WorldEntities& lists, uint16_t itemId, engine::Vec2 at) {
  auto* toy = dynamic_cast<ToyEntity*>(createTreasureEntity(lists, newItem(itemId, 0, 1, -1, 0), at, 0, 0, 0, true, 3));
  EXPECT_NE(toy, nullptr) << itemId;
  return *toy;
}

TEST_F(Toys, ABallBouncesOffAWallByItsOwnFactor) {
  const struct {
    uint16_t item;
    float vx;
  } cases[] = {{979, -2.8f}, {1043, -2.8f}, {978, -1.4f}, {914, -1.4f}};
  for (const auto& c : cases) {
    ToyEntity& toy = throwToy(lists, c.item, {pixel(10), pixel(10)});
    toy.data.vx = 4;
    toy.hitRightWall();
    EXPECT_NEAR(toy.data.vx, c.vx, 1e-5) << c.item;
    EXPECT_FLOAT_EQ(toy.data.x, pixel(10) + 15 - toy.data.halfWidth);
    EXPECT_EQ(toy.ownerId(), 3u);
  }
  lists.dropOwner(3);
  lists.forEach([](const RealEntity& e) { EXPECT_EQ(e.ownerId(), 0u) << "the thrower left"; });
  EXPECT_EQ(createTreasureEntity(lists, newItem(120, 0, 1, -1, 0), {pixel(10), pixel(10)}, 0, 0, 0, true)->kind(),
            EntityKind::Treasure)
      << "an item without a toy spec drops as a plain treasure";
  EXPECT_EQ(createTreasureEntity(lists, newItem(979, 0, 1, -1, 0), {pixel(10), pixel(10)}, 0, 0, 0, false)->kind(),
            EntityKind::Treasure)
      << "nor is a dropped ball a toy";
}

TEST_F(Toys, ARollingRocketIsLiftedByItsSpeedUpToACap) {
  const struct {
    float vx, lift;
  } cases[] = {{10, 0.4f}, {2, 0.1f}, {-2, 0.1f}, {0, 0}};
  for (const auto& c : cases) {
    ToyEntity& toy = throwToy(lists, 914, {pixel(10), pixel(12)});
    toy.data.vx = c.vx;
    toy.data.impulseX = toy.data.impulseY = 0;
    toy.data.frozen = true;  // only the lift: the tick's motion is not under test
    toy.update();
    EXPECT_NEAR(toy.data.impulseY, c.lift, 1e-6) << c.vx;
  }
}

TEST_F(Toys, ABalloonBurstsWithEffect22AtTheFirstWallFloorOrCeiling) {
  for (auto hit : {&ToyEntity::hitLeftWall, &ToyEntity::hitRightWall, &ToyEntity::hitFloor, &ToyEntity::hitCeiling}) {
    rules.effects.clear();
    ToyEntity& toy = throwToy(lists, 3757, {pixel(10), pixel(10)});
    (toy.*hit)();
    EXPECT_TRUE(toy.data.removed);
    ASSERT_EQ(rules.effects.size(), 1u);
    EXPECT_EQ(rules.effects[0].effect, 22);
  }
  withRules(false);
  rules.effects.clear();
  ToyEntity& clientCopy = throwToy(lists, 3821, {pixel(10), pixel(10)});
  clientCopy.hitFloor();
  EXPECT_TRUE(clientCopy.data.removed);
  EXPECT_TRUE(rules.effects.empty()) << "a client bursts it without the effect";
}

class Aquarium : public EntityWorld {
 protected:
  Aquarium() {
    for (int32_t x = 10; x <= 12; ++x) cell(x, 10).setFront(FishEntity::kAquarium, 0, 0);
  }
};

TEST_F(Aquarium, AFishTurnsBackAtTheLastAquariumBlockAndNeverFalls) {
  FishEntity* fish = createFishEntity(lists, newItem(1500, 0, 1, -1, 0), cell(12, 10));
  ASSERT_NE(fish, nullptr);
  fish->swimX = 0.3f;
  fish->swimY = 0;
  fish->timer = 1000;
  fish->data.x = pixel(12) + 14;
  fish->update();
  EXPECT_LT(fish->swimX, 0) << "no aquarium to the right: it turns back";
  EXPECT_EQ(fish->data.cell, &cell(12, 10));
  for (int i = 0; i < 2000; ++i) lists.tick();
  EXPECT_EQ(fish->data.cell->y, 10) << "a fish never falls";
  EXPECT_GE(fish->data.cell->x, 10);
  EXPECT_LE(fish->data.cell->x, 12);
  EXPECT_TRUE(fish->isGone()) << "nobody picks up a fish";
}

TEST_F(Aquarium, AFishSwimsIntoTheNextAquariumBlock) {
  FishEntity* fish = createFishEntity(lists, newItem(1500, 0, 1, -1, 0), cell(10, 10));
  fish->swimX = 0.3f;
  fish->swimY = 0;
  fish->timer = 1000;
  fish->data.x = pixel(10) + 14.9f;
  fish->update();
  EXPECT_EQ(fish->data.cell, &cell(11, 10));
  EXPECT_FLOAT_EQ(fish->data.cellX, pixel(11));
}

using Fruit = EntityWorld;

TEST_F(Fruit, AFruitHangsFrozenForThirtySixThousandTicksThenAsksToFall) {
  FruitEntity* fruit = createFruitEntity(lists, 300, cell(10, 12), 1);
  ASSERT_NE(fruit, nullptr);
  EXPECT_TRUE(fruit->data.frozen);
  EXPECT_TRUE(fruit->foundFlag);
  EXPECT_EQ(fruit->kind(), EntityKind::Fruit);
  EXPECT_GE(fruit->data.y, pixel(12) - 9.825f) << "mode 1 hangs it low in the cell";
  EXPECT_LE(fruit->data.y, pixel(12) - 6.825f);
  for (int i = 0; i < 36000; ++i) lists.tick();
  EXPECT_TRUE(rules.woken.empty());
  lists.tick();
  EXPECT_EQ(rules.woken, std::vector<EntityId>{fruit->id()}) << "no plant knows it: it falls all the same";
  lists.tick();
  EXPECT_EQ(rules.woken.size(), 1u) << "asked once";
}

TEST_F(Fruit, ClothesStayFrozenAndTheirRecordKeepsItemAndSlot) {
  DressEntity* dress = createDressEntity(lists, 700, 4, {pixel(10), pixel(10)});
  ASSERT_NE(dress, nullptr);
  EXPECT_TRUE(dress->data.frozen);
  EXPECT_EQ(dress->zOrder(), 13);  // slot 4 draws at position 3
  lists.tick();
  EXPECT_FLOAT_EQ(dress->data.y, pixel(10));
  EntityRecord record;
  dress->toRecord(record);
  EXPECT_EQ(record.definition, 700);
  EXPECT_EQ(record.kindByte, 4);
  EXPECT_EQ(record.frozen, 1);
  record.entityId = 5000;
  RealEntity* copy = entityFromRecord(lists, record);
  ASSERT_NE(copy, nullptr);
  EntityRecord again;
  copy->toRecord(again);
  EXPECT_EQ(again.encode(), record.encode());
}

TEST_F(Aquarium, ToyAndFishRecordsBringThemBackAndAToyRecordOfAPlainItemMakesNothing) {
  ToyEntity& toy = throwToy(lists, 979, {pixel(15), pixel(12)});
  FishEntity* fish = createFishEntity(lists, newItem(1500, 1, 1, -1, 0), cell(11, 10));
  for (RealEntity* sent : {static_cast<RealEntity*>(&toy), static_cast<RealEntity*>(fish)}) {
    EntityRecord record;
    sent->toRecord(record);
    record.entityId += 10000;
    RealEntity* copy = entityFromRecord(lists, record);
    ASSERT_NE(copy, nullptr) << static_cast<int>(sent->kind());
    EXPECT_EQ(copy->kind(), sent->kind());
    EXPECT_EQ(static_cast<TreasureEntity*>(copy)->item().id, static_cast<TreasureEntity*>(sent)->item().id);
  }
  EntityRecord plain;
  toy.toRecord(plain);
  plain.entityId = 20000;
  plain.definition = 120;
  EXPECT_EQ(entityFromRecord(lists, plain), nullptr);
}

}  // namespace
}  // namespace entity_test
