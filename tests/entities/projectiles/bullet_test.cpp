// Projectiles: their lifetime in ticks, the wall table (break, stick, bounce), the effect slots,
// hitting players where rules run, records and owners that leave.

#include "entities/core/entity_record.h"
#include "entities/projectiles/bullet_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "entities/records/entity_from_record.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/projectile_rows.h"

namespace entity_test {
namespace {

constexpr uint16_t kPlain = 10;
constexpr uint16_t kBreaking = 11;
constexpr uint16_t kSticking = 12;
constexpr uint16_t kSlow = 13;

class HittingRules final : public NullLogic {
 public:
  bool hitPlayersNearBullet(Entity*) override {
    ++asked;
    return false;
  }
  void broadcastEffect(Entity*, uint8_t effect, uint16_t) override { effects.push_back(effect); }
  int asked = 0;
  std::vector<uint8_t> effects;
};

class Bullets : public EntityWorld {
 protected:
  Bullets() {
    resetContentTables();
    defineBullet(kPlain, {.lifetime = 2});
    defineBullet(kBreaking, {.lifetime = 5, .breaks = 1});
    defineBullet(kSticking, {.lifetime = 5, .sticks = 1});
    defineBullet(kSlow, {.lifetime = 0, .expiresWhenSlow = 1, .falls = 0});
    world->setContext({.rules = &hitting});
  }
  ~Bullets() override {
    lists.clearAll();
    resetContentTables();
  }
  BulletEntity& shoot(uint16_t row, engine::Vec2 at, float speed, float angle, uint32_t owner = 0) {
    BulletEntity* b = createBulletEntity(lists, row, owner, at, speed, angle, 0x1234, false, false);
    EXPECT_NE(b, nullptr);
    return *b;
  }
  HittingRules hitting;
};

TEST_F(Bullets, ATwoSecondLifetimeEndsAfter121Ticks) {
  BulletEntity& b = shoot(kPlain, {pixel(10), pixel(15)}, 0, 0);
  b.data.frozen = true;  // hovering: only its lifetime runs
  const EntityId id = b.id();
  EXPECT_FLOAT_EQ(b.lifeLeft, 120);
  for (int i = 0; i < 120; ++i) lists.tick();
  ASSERT_NE(lists.findById(id), nullptr);
  EXPECT_FLOAT_EQ(b.lifeLeft, 0);
  lists.tick();
  EXPECT_EQ(lists.findById(id), nullptr) << "lifeLeft counts 120 down to -1";
}

TEST_F(Bullets, WallsBreakStickOrBounceByRowAndCallTheHitWallSlotWithTheSide) {
  std::vector<uint8_t> sides;
  for (uint16_t row : {kPlain, kBreaking, kSticking}) {
    contentTables().bulletEffects[row].onHitWall = [&sides](BulletEntity*, uint8_t side) { sides.push_back(side); };
  }
  const struct {
    uint16_t row;
    bool removed, frozen;
    float vx;
  } cases[] = {
      {kPlain, false, false, -4 * -0.175f},
      {kBreaking, true, false, -4 * -0.175f},  // a breaking row still bounces off a left wall
      {kSticking, false, true, -4},
  };
  cell(9, 10).setFront(kStone, 0, 0);
  for (const auto& c : cases) {
    hitting.effects.clear();
    BulletEntity& b = shoot(c.row, {pixel(10) - 13, pixel(10)}, 0, 0);
    b.data.halfWidth = 4;
    b.data.vx = -4;
    b.hitLeftWall();
    EXPECT_EQ(b.data.removed, c.removed) << c.row;
    EXPECT_EQ(b.data.frozen, c.frozen) << c.row;
    EXPECT_NEAR(b.data.vx, c.vx, 1e-5) << c.row;
    EXPECT_EQ(hitting.effects.size(), c.row == kPlain ? 0u : 1u) << "effect 33 at a break or a stick";
  }
  EXPECT_EQ(sides, (std::vector<uint8_t>{0, 0, 0}));
  BulletEntity& floor = shoot(kBreaking, {pixel(10), pixel(10)}, 0, 0);
  floor.hitFloor();
  EXPECT_TRUE(floor.data.removed) << "a breaking row ends at the floor";
  EXPECT_EQ(sides.back(), 1);
}

TEST_F(Bullets, AStuckProjectileVanishesSixtyOneTicksLaterAndCallsItsEndSlotOnce) {
  int ended = 0;
  contentTables().bulletEffects[kSticking].onEnd = [&ended](BulletEntity*) { ++ended; };
  BulletEntity& b = shoot(kSticking, {pixel(10), pixel(kGround + 1)}, 3, -1.5707964f);
  const EntityId id = b.id();
  int ticks = 0;
  while (!b.data.frozen && ticks < 100) {
    lists.tick();
    ++ticks;
  }
  ASSERT_TRUE(b.data.frozen) << "it stuck in the ground";
  EXPECT_FALSE(b.data.moving);
  EXPECT_FLOAT_EQ(b.lifeLeft, 60);
  for (int i = 0; i < 60; ++i) lists.tick();
  ASSERT_NE(lists.findById(id), nullptr);
  lists.tick();
  EXPECT_EQ(lists.findById(id), nullptr);
  EXPECT_EQ(ended, 1);
}

TEST_F(Bullets, OnlyAShotWithoutAThrowerAsksToHitPlayersAndOnlyWhereRulesRun) {
  defineBullet(kPlain, {.lifetime = 2, .playerDamage = 3});
  shoot(kPlain, {pixel(10), pixel(15)}, 1, 0);
  shoot(kPlain, {pixel(12), pixel(15)}, 1, 0, /*owner*/ 7);
  lists.tick();
  EXPECT_EQ(hitting.asked, 1) << "a mob's shot hits players, a player's arrow never does";
  world->setContext({});
  lists.tick();
  EXPECT_EQ(hitting.asked, 1) << "a client leaves hits to the host";
}

TEST_F(Bullets, ARowThatExpiresWhenSlowEndsOnceItSlows) {
  BulletEntity& b = shoot(kSlow, {pixel(10), pixel(15)}, 0.2f, 0);
  const EntityId id = b.id();
  lists.tick();
  EXPECT_EQ(lists.findById(id), nullptr);
}

TEST_F(Bullets, AThrowerWhoLeftIsDroppedAndRecordsCarryRowAndWord) {
  BulletEntity& b = shoot(kPlain, {pixel(10), pixel(15)}, 2, 0.5f, 7);
  EXPECT_TRUE(b.hitsMobs);
  EXPECT_FALSE(b.hitsPlayers);
  lists.dropOwner(7);
  EXPECT_EQ(b.ownerId(), 0u);

  EntityRecord record;
  b.toRecord(record);
  EXPECT_EQ(record.definition, kPlain);
  EXPECT_EQ(record.extra, 0x1234u);
  EXPECT_EQ(record.state.kind, EntityKind::Bullet);
  record.entityId = 4000;
  RealEntity* copy = entityFromRecord(lists, record);
  ASSERT_NE(copy, nullptr);
  EntityRecord again;
  copy->toRecord(again);
  EXPECT_EQ(again.encode(), record.encode());
  EXPECT_FALSE(static_cast<BulletEntity*>(copy)->hitsMobs) << "a client's copy hits nothing";
}

TEST_F(Bullets, RowsOutsideTheTableOrPlacesOffTheMapMakeNothing) {
  EXPECT_EQ(createBulletEntity(lists, 147, 0, {pixel(3), pixel(10)}, 1, 0, 0, false, false), nullptr);
  EXPECT_EQ(createBulletEntity(lists, -1, 0, {pixel(3), pixel(10)}, 1, 0, 0, false, false), nullptr);
  EXPECT_EQ(createBulletEntity(lists, kPlain, 0, {pixel(3), pixel(kHeight + 1)}, 1, 0, 0, false, false), nullptr);
  EXPECT_EQ(lists.count(), 0u);
}

}  // namespace
}  // namespace entity_test
