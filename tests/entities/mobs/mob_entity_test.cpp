// Mobs: damage and resistances, death and the group counts, knock-back and leaps, the AI kinds'
// choices (walker shots and gap jumps, jumper hops away from liquid, flyer), blasts and records.

#include <cmath>

#include "content/tables/content_tables.h"
#include "engine/io/byte_reader.h"
#include "entities/core/entity_record.h"
#include "entities/core/world_entities.h"
#include "entities/mobs/mob_factory.h"
#include "entities/mobs/mob_flyer_entity.h"
#include "entities/mobs/mob_jumper_entity.h"
#include "entities/mobs/mob_walker_entity.h"
#include "entities/records/entity_from_record.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/mob_rows.h"
#include "tests/entities/projectile_rows.h"
#include "world/entities/world_entity_places.h"
#include "world/rules/entity_impulse.h"
#include "world/rules/mob_movement.h"

namespace entity_test {
namespace {

constexpr uint16_t kJumper = 30;
constexpr uint16_t kWalker = 31;
constexpr uint16_t kShooter = 32;
constexpr uint16_t kArmoured = 33;
constexpr uint16_t kFlyer = 34;
constexpr uint16_t kBulletRow = 5;

// Rules that carry every mob movement out at once (as the local rules do) and record the rest.
class MobRules final : public NullLogic {
 public:
  void leapEntity(Entity* e, float strength, float angle) override {
    leaps.push_back(angle * 57.29578f);
    static_cast<MobEntity*>(e)->leap(strength, angle);
  }
  void pushEntity(Entity* e, const EntityImpulse& i) override {
    pushes.push_back(i.angle * 57.29578f);
    static_cast<RealEntity*>(e)->addImpulse(i.strength, i.angle, i.reset != 0);
  }
  void steerMob(MobEntity* mob, const MobMovement& m) override {
    mob->startWalk(static_cast<int32_t>(m.state), m.speed, m.time);
  }
  Entity* shootMobBullet(MobEntity* mob, uint16_t, float, float) override {
    shotTimers.push_back(mob->timer);
    return nullptr;
  }
  void broadcastEffect(Entity*, uint8_t effect, uint16_t) override { effects.push_back(effect); }
  void dropMobLoot(MobEntity*, float, float) override { ++loot; }
  MobTarget mobTargetOf(MobEntity*) override { return target; }

  MobTarget target;
  std::vector<float> leaps;
  std::vector<float> pushes;
  std::vector<float> shotTimers;
  std::vector<uint8_t> effects;
  int loot = 0;
};

class Attacker final : public MobAttacker {
 public:
  bool halvesResistance() const override { return halves; }
  float lifeSteal() const override { return steal; }
  void gainHealth(float amount) override { gained += amount; }
  void recordKill(uint16_t id) override { kills.push_back(id); }
  float lootFactor() const override { return 1; }
  float lootBonus() const override { return 0; }
  bool halves = false;
  float steal = 0;
  float gained = 0;
  std::vector<uint16_t> kills;
};

class Mobs : public EntityWorld {
 protected:
  Mobs() : EntityWorld(0, kWidth, true) {  // a survival world: kills count, life steal works
    resetContentTables();
    defineMob(kJumper, {.ai = 0});
    defineMob(kWalker, {.ai = 1, .flags = 1u << mob_flag::kFollowsTarget});
    defineMob(kShooter, {.ai = 1, .flags = 1u << mob_flag::kShooter, .attack = 90, .shots = 3, .bullet = kBulletRow});
    defineMob(kArmoured, {.ai = 0, .health = 100, .resistances = {100, 50, 0, 0}});
    defineMob(kFlyer, {.ai = 2});
    defineBullet(kBulletRow, {.lifetime = 5, .falls = 0});
    world->setContext({.rules = &mobRules});
  }
  ~Mobs() override {
    lists.clearAll();
    resetContentTables();
  }
  template <class T = MobEntity>
  T& make(uint16_t row, int32_t x, int32_t y, float dx = 0) {
    auto mob = createMobEntity(*world, contentTables().mobDefs[row], 0, {pixel(x) + dx, pixel(y)}, {0, 0});
    return static_cast<T&>(lists.add(std::move(mob)));
  }
  MobRules mobRules;
};

TEST_F(Mobs, ResistanceKeepsOffItsShareAndAHalvingWeaponHalvesIt) {
  struct Case {
    uint8_t type;
    bool halves;
    float expectedHealth;
  };
  // 100 % resistance: nothing; halved to 50 %: half. 50 % halved to 25 %. Type 4 and up: none.
  for (const Case c : {Case{0, false, 100}, Case{0, true, 95}, Case{1, false, 95}, Case{1, true, 92.5f},
                       Case{2, false, 90}, Case{10, false, 90}}) {
    MobEntity& mob = make(kArmoured, 10, 5);
    Attacker hitter;
    hitter.halves = c.halves;
    EXPECT_FALSE(mob.applyDamage(10, c.type, &hitter));
    EXPECT_FLOAT_EQ(mob.health, c.expectedHealth) << int(c.type) << " " << c.halves;
  }
}

TEST_F(Mobs, DeathEndsTheMobOnceAndLeavesItsGroup) {
  int deathEffects = 0;
  contentTables().mobDeathEffects[kJumper] = [&deathEffects](MobEntity*, World&) { ++deathEffects; };
  MobEntity& mob = make(kJumper, 10, 5);
  EXPECT_EQ(world->mobSpawner().groupCount(0), 1u);
  Attacker hitter;
  hitter.steal = 3;
  EXPECT_FALSE(mob.applyDamage(4, 0, &hitter));
  EXPECT_FLOAT_EQ(hitter.gained, 3);  // life steal up to the damage dealt
  EXPECT_TRUE(mob.applyDamage(50, 0, &hitter));
  EXPECT_FALSE(mob.applyDamage(50, 0, &hitter));  // already dead
  EXPECT_TRUE(mob.data.removed);
  EXPECT_EQ(world->mobSpawner().groupCount(0), 0u);
  EXPECT_EQ(hitter.kills, std::vector<uint16_t>{kJumper});
  EXPECT_EQ(mobRules.loot, 1);
  EXPECT_EQ(mobRules.effects, (std::vector<uint8_t>{MobEntity::kHurtEffect, MobEntity::kDeathEffect}));
  EXPECT_EQ(deathEffects, 1) << "the row's registered death effect ran once";
  mob.remove();  // a second removal leaves the count alone
  EXPECT_EQ(world->mobSpawner().groupCount(0), 0u);
  contentTables().mobDeathEffects[kJumper] = nullptr;
}

TEST_F(Mobs, AKillInACreativeWorldRecordsNoStatistic) {
  WorldParams creative;
  creative.mode = 1;
  World other(nullptr, creative, kWidth, kHeight);
  other.setContext({.rules = &mobRules});
  MobJumperEntity mob(other, EntityKind::Mob, contentTables().mobDefs[kJumper], 0, {pixel(10), pixel(5)}, {0, 0});
  Attacker hitter;
  EXPECT_TRUE(mob.applyDamage(1000, 0, &hitter));
  EXPECT_TRUE(hitter.kills.empty());
}

TEST_F(Mobs, ALeapingMobTurnsPushedOnTheFirstTickItFalls) {
  MobEntity& mob = make(kJumper, 10, 8);
  mob.leap(3, 1.5707964f);
  EXPECT_EQ(mob.state, mob_state::kPushed);  // the impulse turned the leap into a push at once
  EXPECT_FALSE(mob.aiOn);
  mob.state = mob_state::kLeaping;
  int ticks = 0;
  while (mob.state == mob_state::kLeaping && ticks < 100) {
    const float before = mob.data.vy;
    lists.tick();
    ++ticks;
    if (mob.state == mob_state::kPushed) {
      EXPECT_LT(before, 0.3f);  // it had stopped rising
    }
  }
  EXPECT_EQ(mob.state, mob_state::kPushed);
  EXPECT_LT(mob.data.vy, 0);
}

TEST_F(Mobs, KnockBackFacesTheImpulseAndStopsThinking) {
  MobEntity& mob = make(kJumper, 10, 5);
  mob.knockBack(2, 2.356f, true, &cell(11, 5));
  EXPECT_FALSE(mob.facingRight());
  EXPECT_EQ(mob.state, mob_state::kPushed);
  EXPECT_FALSE(mob.aiOn);
  EXPECT_EQ(mob.knockCell, &cell(11, 5));
}

TEST_F(Mobs, AShooterFiresItsShotsEvenlyOverTheAttack) {
  auto& mob = make<MobWalkerEntity>(kShooter, 10, 5);
  mob.state = mob_state::kAttacking;
  mob.timer = 90;
  mob.shotsFired = 0;
  mob.aiOn = true;
  for (int i = 0; i < 90; ++i) lists.tick();
  EXPECT_EQ(mobRules.shotTimers, (std::vector<float>{89, 59, 29}));
}

TEST_F(Mobs, ATargetWithNoCellIsNeverAttacked) {
  auto& mob = make<MobWalkerEntity>(kShooter, 10, 5);
  auto attacksIn200 = [&] {
    int attacks = 0;
    for (int i = 0; i < 200; ++i) {
      mob.timer = 0;
      mob.justAttacked = false;
      mob.state = mob_state::kIdle;
      mob.think();
      attacks += mob.state == mob_state::kAttacking;
    }
    return attacks;
  };
  mobRules.target = {true, {pixel(12), pixel(5)}, nullptr};
  EXPECT_EQ(attacksIn200(), 0);
  mobRules.target.cell = &cell(12, 5);
  EXPECT_GT(attacksIn200(), 0);
}

// A one-cell hole left of (10, 5): the walker takes it every time its jump roll comes up when the
// target stands on its row, and only now and then otherwise.
TEST_F(Mobs, AWalkerAlwaysTakesAGapTowardsATargetOnItsRow) {
  cell(9, 4).setFront(0, 0, 0);
  auto countGapJumps = [&](int32_t targetRow) {
    mobRules.target = {true, {pixel(2), pixel(targetRow)}, &cell(2, targetRow)};
    mobRules.leaps.clear();
    for (int i = 0; i < 400; ++i) {
      auto& mob = make<MobWalkerEntity>(kWalker, 10, 5, -3);
      mob.state = mob_state::kWalkingLeft;
      mob.timer = 50;
      mob.think();
      mob.data.removed = true;
      lists.tick();
    }
    for (float angle : mobRules.leaps) EXPECT_NEAR(angle, 150, 0.01f);
    return mobRules.leaps.size();
  };
  const size_t onRow = countGapJumps(5);
  const size_t above = countGapJumps(8);
  EXPECT_NEAR(static_cast<double>(onRow), 200.0, 40.0);  // the 0.5 jump roll only
  EXPECT_NEAR(static_cast<double>(above), 60.0, 30.0);   // 0.5 x 0.3
}

TEST_F(Mobs, AJumperWithLiquidOnItsLeftOnlyHopsRight) {
  cell(9, 5).liquid = 0x40 | 7;
  for (int i = 0; i < 50; ++i) {
    auto& mob = make<MobJumperEntity>(kJumper, 10, 5);
    mob.timer = 0;
    mob.think();
    mob.data.removed = true;
    lists.tick();
  }
  ASSERT_EQ(mobRules.leaps.size(), 50u);
  for (float angle : mobRules.leaps) EXPECT_LT(angle, 90);
}

TEST_F(Mobs, AJumperLessThanAPixelFromItsCentreMakesNoLedgeJump) {
  // A ledge on the left: the jumper would leap off it at 105 degrees were it right of its centre.
  cell(9, 5).setFront(kStone, 0, 0);
  for (int i = 0; i < 50; ++i) {
    auto& mob = make<MobJumperEntity>(kJumper, 10, 6, 0.5f);
    mob.timer = 0;
    mob.think();
    mob.data.removed = true;
    lists.tick();
  }
  for (float angle : mobRules.leaps) EXPECT_NE(std::lround(angle), 105);
}

TEST_F(Mobs, AFlyerWithNoTargetFliesAnyWay) {
  auto& mob = make<MobFlyerEntity>(kFlyer, 10, 10);
  bool up = false;
  bool down = false;
  for (int i = 0; i < 60; ++i) {
    mob.timer = -1;
    mob.think();
    const float a = mobRules.pushes.back();
    up = up || (a > 0 && a < 180);
    down = down || a > 180;
    EXPECT_TRUE(mob.aiOn);
    EXPECT_GE(mob.timer, 15);
  }
  EXPECT_TRUE(up && down);
}

// A butterfly at the player's head flutters out of a cell that closes: building there goes on. A
// walker would be shut in, and stands in the way.
TEST_F(Mobs, AFlyerLeavesItsCellFreeToBuildAndAWalkerDoesNot) {
  auto& flyer = make<MobFlyerEntity>(kFlyer, 10, 10);
  auto& walker = make<MobWalkerEntity>(kWalker, 14, 10);
  ASSERT_NE(flyer.data.cell, nullptr);
  ASSERT_NE(walker.data.cell, nullptr);
  EXPECT_FALSE(world->entities()->blocksPlacementIn(*flyer.data.cell));
  EXPECT_TRUE(world->entities()->blocksPlacementIn(*walker.data.cell));
}

TEST_F(Mobs, BlastsHurtMobsAsKindTenAndReportWhetherTheyLive) {
  MobEntity& mob = make(kArmoured, 10, 5);
  std::vector<Body> bodies;
  lists.collectAll(bodies);
  ASSERT_EQ(bodies.size(), 1u);
  EXPECT_EQ(bodies[0].group, BodyGroup::Mob);
  EXPECT_TRUE(lists.hurt(bodies[0], 60));
  EXPECT_FLOAT_EQ(mob.health, 40);  // kind 10 takes no resistance
  EXPECT_FALSE(lists.hurt(bodies[0], 60));
}

TEST_F(Mobs, ARecordMakesAMirrorThatNeitherThinksNorCounts) {
  MobEntity& mob = make(kWalker, 10, 5);
  EntityRecord record;
  mob.toRecord(record);
  EXPECT_EQ(record.definition, kWalker);
  const auto bytes = record.encode();
  engine::ByteReader in(bytes.data(), bytes.size());
  const std::optional<EntityRecord> back = readEntityRecord(in);
  ASSERT_TRUE(back.has_value());
  EntityRecord copy = *back;
  copy.entityId = 0;
  auto* mirror = dynamic_cast<MobWalkerEntity*>(entityFromRecord(lists, copy));
  ASSERT_NE(mirror, nullptr);
  EXPECT_FALSE(mirror->aiOn);
  EXPECT_EQ(&mirror->row(), &mob.row());
  EXPECT_EQ(world->mobSpawner().groupCount(0), 1u);
  mirror->remove();
  EXPECT_EQ(world->mobSpawner().groupCount(0), 1u);
}

}  // namespace
}  // namespace entity_test

namespace entity_test {
namespace {

TEST_F(Mobs, AWalkerFollowsItsTargetAcrossFlatGround) {
  auto& mob = make<MobWalkerEntity>(kWalker, 5, 5);
  mobRules.target = {true, {pixel(30), pixel(5)}, &cell(30, 5)};
  for (int i = 0; i < 1200; ++i) lists.tick();
  EXPECT_GT(mob.data.cell->x, 15);
}

}  // namespace
}  // namespace entity_test
