// The kind-checked downcast of the entity classes: each class answers for the kinds it is made
// with, and a wrong kind (or no entity) gives null.

#include <memory>

#include "content/tables/content_tables.h"
#include "entities/core/entity_cast.h"
#include "entities/items/toy_entity.h"
#include "entities/items/treasure_entity.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_pet_entity.h"
#include "entities/projectiles/bobber_entity.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"

namespace entity_test {
namespace {

constexpr uint16_t kMobRow = 30;

class EntityCast : public EntityWorld {
 protected:
  EntityCast() { defineMob(kMobRow, {.ai = 0}); }
  ~EntityCast() override {
    lists.clearAll();
    resetContentTables();
  }
  Entity& add(std::unique_ptr<MobEntity> made) { return lists.add(std::move(made)); }
  const MobDef& row() const { return contentTables().mobDefs[kMobRow]; }
};

TEST_F(EntityCast, AMobIsAMobAndNothingElse) {
  Entity& mob = add(createMobEntity(*world, row(), 0, {pixel(5), pixel(8)}, {0, 0}));
  EXPECT_EQ(entity_cast<MobEntity>(&mob), &mob);
  EXPECT_EQ(entity_cast<RealEntity>(&mob), &mob);
  EXPECT_EQ(entity_cast<MobPetEntity>(&mob), nullptr) << "a wild mob is no pet";
  EXPECT_EQ(entity_cast<TreasureEntity>(&mob), nullptr);
  EXPECT_EQ(entity_cast<BulletEntity>(&mob), nullptr);
}

TEST_F(EntityCast, APetIsBothAPetAndAMob) {
  Entity& pet = add(createPetEntity(*world, row(), 7, {pixel(5), pixel(8)}));
  EXPECT_EQ(entity_cast<MobPetEntity>(&pet), &pet);
  EXPECT_EQ(entity_cast<MobEntity>(&pet), &pet);
  const Entity& shown = pet;
  const MobPetEntity* constant = entity_cast<MobPetEntity>(&shown);
  EXPECT_EQ(constant, &pet) << "a constant entity gives a constant pet";
}

TEST_F(EntityCast, ADroppedStacksKindIsNetworkedButNoToyNoMobAndNoEntityIsNothing) {
  Probe& stack = probe(5, 8);  // made with the dropped stack's kind
  EXPECT_EQ(entity_cast<RealEntity>(static_cast<Entity*>(&stack)), &stack);
  EXPECT_EQ(entity_cast<ToyEntity>(static_cast<Entity*>(&stack)), nullptr);
  EXPECT_EQ(entity_cast<MobEntity>(static_cast<Entity*>(&stack)), nullptr);
  EXPECT_EQ(entity_cast<BobberEntity>(static_cast<Entity*>(nullptr)), nullptr);
}

TEST_F(EntityCast, OnlyTheKindsARecordMayNameAreNetworked) {
  EXPECT_TRUE(RealEntity::holdsKind(EntityKind::Bobber));
  EXPECT_TRUE(RealEntity::holdsKind(EntityKind::Dress));
  EXPECT_FALSE(RealEntity::holdsKind(EntityKind::None)) << "the view's debris has no record";
  EXPECT_TRUE(BulletEntity::holdsKind(EntityKind::Bobber)) << "a bobber is a projectile too";
  EXPECT_FALSE(BobberEntity::holdsKind(EntityKind::Bullet));
}

}  // namespace
}  // namespace entity_test
