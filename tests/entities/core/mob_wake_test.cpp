// A mob standing on a cell is woken, like a resting treasure, when the cell under it changes.

#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

// Stands where it is put; listed with the mobs.
class StandingMob final : public RealEntity {
 public:
  StandingMob(World& world, MapBlock* cell, engine::Vec2 at) : RealEntity(world, EntityKind::Mob, cell, at, 0, 0, 0, 0) {}
  void update() override {}
};

class MobWake : public EntityWorld {
 protected:
  RealEntity& mob(int32_t x, int32_t y) {
    return lists.add(std::make_unique<StandingMob>(*world, &cell(x, y), engine::Vec2{pixel(x), pixel(y)}));
  }
};

TEST_F(MobWake, AMobOnTheCellAboveAChangedCellIsWokenAndOthersAreNot) {
  RealEntity& above = mob(5, 6);
  RealEntity& walking = mob(5, 6);
  walking.data.moving = true;
  mob(8, 6);
  RealEntity& gone = mob(5, 6);
  gone.data.removed = true;
  lists.wakeEntitiesAbove(cell(5, 5));
  EXPECT_EQ(rules.woken, (std::vector<EntityId>{above.id(), walking.id()}))
      << "every mob standing there falls, moving or not; one elsewhere or removed stays";
}

}  // namespace
}  // namespace entity_test
