// One fixed tick of a moving entity against the map cells: gravity, the floor bounce, the rest
// test, the wrap at the world's seam, the blocks that stop entities beyond the players' tests, and
// the liquids.

#include <cmath>

#include "entities/core/entity_blocking.h"
#include "world/cells/cell_sides.h"
#include "tests/entities/entity_world.h"

namespace entity_test {
namespace {

// The plain physics, without the liquid step of networked entities.
class PlainMover final : public MovingEntity {
 public:
  PlainMover(World& world, MapBlock* cell, engine::Vec2 at) : MovingEntity(world, EntityKind::Treasure, cell, at, 0, 0, 0, 0) {}
  void onStop() override { ++stops; }
  int stops = 0;
};

using EntityPhysics = EntityWorld;

TEST_F(EntityPhysics, AFreeFallGainsGravityAndANetworkedEntityLosesOnePercent) {
  Probe& p = probe(10, 10);
  p.update();
  EXPECT_FLOAT_EQ(p.data.vy, -0.3f * 0.99f);
  EXPECT_FLOAT_EQ(p.data.y, pixel(10) - 0.3f);
  p.update();
  EXPECT_FLOAT_EQ(p.data.vy, (-0.3f * 0.99f - 0.3f) * 0.99f);
}

TEST_F(EntityPhysics, HittingTheFloorBouncesAThirdAndKeepsSeventyPercentSideways) {
  const struct {
    bool networked;
    float vy, vx;
  } cases[] = {{false, 1.5f, 1.4f}, {true, 1.485f, 1.386f}};
  for (const auto& c : cases) {
    std::unique_ptr<MovingEntity> e;
    if (c.networked) {
      e = std::make_unique<Probe>(*world, &cell(10, 5), engine::Vec2{pixel(10), pixel(5)});
    } else {
      e = std::make_unique<PlainMover>(*world, &cell(10, 5), engine::Vec2{pixel(10), pixel(5)});
    }
    e->data.halfHeight = 5;
    e->data.y = pixel(5) - 15 + 5 - 2;  // two pixels into the stone below
    e->data.vx = 2;
    e->data.vy = -5;
    e->collide();
    EXPECT_FLOAT_EQ(e->data.y, pixel(5) - 15 + 5) << c.networked;
    EXPECT_NEAR(e->data.vy, c.vy, 1e-5) << c.networked;
    EXPECT_NEAR(e->data.vx, c.vx, 1e-5) << c.networked;
    EXPECT_TRUE(e->data.moving) << "still bouncing: " << c.networked;
  }
}

TEST_F(EntityPhysics, ItRestsOnlyWhenSlowAndOnTheFloorOfACellOverABlockingCell) {
  const struct {
    float vx, vy, aboveFloor;
    int32_t row;
    bool rests;
  } cases[] = {
      {0.5f, -0.2f, 0.0f, 5, true},  {1.0f, 0.0f, 0.04f, 5, true},  {1.1f, 0.0f, 0.0f, 5, false},
      {0.0f, -0.6f, 0.0f, 5, false}, {0.0f, 0.0f, 0.2f, 5, false},  {0.0f, 0.0f, 0.0f, 8, false},
  };
  for (const auto& c : cases) {
    PlainMover e(*world, &cell(10, c.row), {pixel(10), pixel(c.row)});
    e.data.y = pixel(c.row) - 15 + c.aboveFloor;
    e.data.vx = c.vx;
    e.data.vy = c.vy;
    e.collide();
    EXPECT_EQ(e.stops, c.rests ? 1 : 0) << c.vx << " " << c.vy << " " << c.aboveFloor << " row " << c.row;
    EXPECT_EQ(e.data.moving, !c.rests);
  }
}

TEST_F(EntityPhysics, CrossingTheSeamWrapsTheEntityToTheOtherSide) {
  PlainMover right(*world, &cell(kWidth - 1, 10), {pixel(kWidth - 1) + 14, pixel(10)});
  right.data.vx = 3;
  right.data.x += 3;
  right.collide();
  EXPECT_EQ(right.data.cell, &cell(0, 10));
  EXPECT_FLOAT_EQ(right.data.x, pixel(kWidth - 1) + 17 - pixel(kWidth));
  EXPECT_FLOAT_EQ(right.data.cellX, 0);

  PlainMover left(*world, &cell(0, 10), {-14, pixel(10)});
  left.data.vx = -3;
  left.data.x -= 3;
  left.collide();
  EXPECT_EQ(left.data.cell, &cell(kWidth - 1, 10));
  EXPECT_FLOAT_EQ(left.data.x, -17 + pixel(kWidth));
  EXPECT_FLOAT_EQ(left.data.cellX, pixel(kWidth - 1));
}

TEST_F(EntityPhysics, HatchesTrapdoorsAndBeamsStopEntitiesOnTheirOwnSides) {
  // Both are clear blocks, as in the content: only their own sides stop a body.
  world->map().mutableProps().mutableRow(2118).transparency = 1;
  world->map().mutableProps().mutableRow(2090).transparency = 1;
  const BlockPropsTable& props = world->map().props();
  MapBlock hatch;
  hatch.setFront(2118, 0, 3);
  EXPECT_TRUE(blocksEntryFromLeft(&hatch, props));
  EXPECT_FALSE(blocksEntryFromRight(&hatch, props));
  hatch.setBlockState(1);
  EXPECT_FALSE(blocksEntryFromLeft(&hatch, props));
  EXPECT_TRUE(blocksEntryFromRight(&hatch, props));

  MapBlock trapdoor;
  trapdoor.setFront(2090, 1, 0);
  for (auto blocked : {blocksEntryFromLeft, blocksEntryFromRight, blocksEntryFromAbove, blocksEntryFromBelow}) {
    EXPECT_TRUE(blocked(&trapdoor, props));
    EXPECT_FALSE(blocked(nullptr, props));
  }
  trapdoor.setFront(2090, 0, 0);
  EXPECT_FALSE(blocksEntryFromAbove(&trapdoor, props));

  MapBlock beam;
  EXPECT_FALSE(entityHeldFromAbove(beam));
  beam.decos[2] = map_deco::make(374, 0, 0);
  EXPECT_TRUE(entityHeldFromAbove(beam));
  beam.decos[2] = map_deco::make(374, 1, 0);
  EXPECT_FALSE(entityHeldFromAbove(beam));

  // Moving up out of a cell with a beam hits the ceiling.
  cell(10, 8).setFront(374, 0, 0);
  PlainMover up(*world, &cell(10, 8), {pixel(10), pixel(8) + 14});
  up.data.vy = 2;
  up.data.halfHeight = 3;
  up.collide();
  EXPECT_EQ(up.data.cell, &cell(10, 8));
  EXPECT_NEAR(up.data.vy, -0.35f, 1e-6);
}

TEST_F(EntityPhysics, SubmergedEntitiesKeepTheirKindsShareOfSpeedAndLavaBurnsItems) {
  const struct {
    EntityKind kind;
    float factor;
    bool drifts;
  } cases[] = {{EntityKind::Mob, 0.95f, false},     {EntityKind::Pet, 0.95f, false},
               {EntityKind::Bobber, 0.8f, false},   {EntityKind::Treasure, 0.5f, true},
               {EntityKind::Bullet, 0.5f, true}};
  cell(10, 5).liquid = static_cast<uint8_t>(4 | (4 << 3) | (1 << 6));  // full of water
  for (const auto& c : cases) {
    Probe p(*world, &cell(10, 5), {pixel(10), pixel(5)});
    p.data.kind = c.kind;
    p.data.vx = 1;
    p.data.vy = 0.1f;
    p.collide();
    EXPECT_NEAR(p.data.vx, c.factor, 1e-6) << static_cast<int>(c.kind);
    EXPECT_NEAR(p.data.vy, (c.drifts ? 0.1f - 1.0f : 0.1f) * c.factor, 1e-6) << static_cast<int>(c.kind);
  }

  cell(10, 5).liquid = static_cast<uint8_t>(4 | (4 << 3) | (2 << 6));  // lava
  for (bool ruled : {true, false}) {
    withRules(ruled);
    rules.effects.clear();
    Probe& p = probe(10, 5);
    p.collide();
    EXPECT_EQ(p.data.removed, ruled) << "only where rules run";
    ASSERT_EQ(rules.effects.size(), ruled ? 1u : 0u);
    if (ruled) {
      EXPECT_EQ(rules.effects[0].effect, RealEntity::kLavaEffect);
    }
  }
}

}  // namespace
}  // namespace entity_test
