// The lists of a world step in a fixed order each tick: the items, then the mobs, then the
// projectiles, then the clothes; finding an entity by id searches them in that order too.

#include <vector>

#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

// Writes its kind into the shared log when it steps.
class OrderProbe final : public RealEntity {
 public:
  OrderProbe(World& world, EntityKind kind, MapBlock* cell, std::vector<EntityKind>& log)
      : RealEntity(world, kind, cell, {150, 180}, 0, 0, 0, 0), log_(log) {}
  void update() override { log_.push_back(kind()); }

 private:
  std::vector<EntityKind>& log_;
};

using EntityStepOrder = EntityWorld;

TEST_F(EntityStepOrder, ItemsStepFirstThenMobsThenProjectilesThenClothes) {
  std::vector<EntityKind> log;
  for (EntityKind kind : {EntityKind::Dress, EntityKind::Bullet, EntityKind::Mob, EntityKind::Treasure}) {
    lists.add(std::make_unique<OrderProbe>(*world, kind, &cell(5, 6), log));
  }
  lists.tick();
  EXPECT_EQ(log, (std::vector<EntityKind>{EntityKind::Treasure, EntityKind::Mob, EntityKind::Bullet, EntityKind::Dress}));
}

// A peer's ids are kept as they came, so two lists may hold the same one: the earlier list answers.
TEST_F(EntityStepOrder, AnIdIsLookedUpInTheSameOrder) {
  std::vector<EntityKind> log;
  auto withId = [&](EntityKind kind) {
    auto probe = std::make_unique<OrderProbe>(*world, kind, &cell(5, 6), log);
    probe->setId(40);
    return &lists.add(std::move(probe));
  };
  RealEntity* dress = withId(EntityKind::Dress);
  EXPECT_EQ(lists.findById(40), dress);
  RealEntity* bullet = withId(EntityKind::Bullet);
  EXPECT_EQ(lists.findById(40), bullet);
  RealEntity* mob = withId(EntityKind::Mob);
  EXPECT_EQ(lists.findById(40), mob);
  RealEntity* treasure = withId(EntityKind::Treasure);
  EXPECT_EQ(lists.findById(40), treasure);
}

}  // namespace
}  // namespace entity_test
