// The registered entity effects: each named effect reached through its slot, with recording hooks
// and rules; the mob families and replacements; the explosives lock read from the world's options;
// released mobs only of the spawnable table.

#include <algorithm>
#include <map>

#include "content/items/block_edit.h"
#include "content/tables/content_tables.h"
#include "entities/effects/entity_effect_registry.h"
#include "entities/effects/projectile_effects.h"
#include "entities/particles/debris_entity.h"
#include "entities/particles/debris_list.h"
#include "entities/projectiles/bullet_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "tests/entities/entity_world.h"
#include "tests/entities/projectile_rows.h"
#include "tests/world/fixed_world_options.h"

namespace entity_test {
namespace {

// Stand-ins for players: the rules know them by address.
PlayerBase* const kLocal = reinterpret_cast<PlayerBase*>(uintptr_t{0x1000});
PlayerBase* const kPeer = reinterpret_cast<PlayerBase*>(uintptr_t{0x2000});

class EffectRules final : public NullLogic {
 public:
  PlayerBase* playerById(uint32_t id) override { return id == 1 ? kLocal : id == 2 ? kPeer : nullptr; }
  bool isLocalPlayer(PlayerBase* player) override { return player == kLocal; }
  void playCellEffect(PlayerBase*, MapBlock&, uint8_t effect, EffectAudience) override { cellEffects.push_back(effect); }
  bool editBlock(const BlockEdit& edit, PlayerBase*) override {
    edits.push_back(edit.kind);
    return true;
  }
  void playSound(MapBlock&, uint16_t sound, uint16_t) override { sounds.push_back(sound); }
  uint32_t playerIdOf(PlayerBase* player) override { return player == kLocal ? 1 : player == kPeer ? 2 : 0; }
  std::vector<uint8_t> cellEffects;
  std::vector<uint8_t> edits;
  std::vector<uint16_t> sounds;
};

class RecordingHooks final : public EffectHooks {
 public:
  Entity* mobBody(MobEntity* mob) override {
    auto found = bodies.find(mob);
    return found != bodies.end() ? found->second : nullptr;
  }
  void spawnMob(World&, const MobRequest& request) override { spawned.push_back(request); }
  void shakeScreen(bool gentle) override { shakes.push_back(gentle); }
  bool wearerPlace(PlayerGraphical*, World*& world, engine::Vec2& position) override {
    world = wearerWorld;
    position = wearerAt;
    return wearerWorld != nullptr;
  }
  World* wearerWorld = nullptr;
  engine::Vec2 wearerAt{};
  std::map<MobEntity*, Entity*> bodies;
  std::vector<MobRequest> spawned;
  std::vector<bool> shakes;
};

class EntityEffects_ : public EntityWorld {
 protected:
  EntityEffects_() {
    resetContentTables();
    for (uint16_t row = 0; row < content::kBulletCount; ++row) defineBullet(row, {.lifetime = 5});
    contentTables().spawnableMobs = {{.mobRow = 200, .categories = 1}, {.mobRow = 201, .categories = 2}};
    registry.registerEntityEffects();
    world->setContext({.rules = &effectRules, .effects = &lists, .effectHooks = &hooks, .options = &lock});
  }
  ~EntityEffects_() override {
    lists.clearAll();
    resetContentTables();
  }
  BulletEntity& shoot(uint16_t row, int32_t x, int32_t y, uint32_t owner = 0, uint32_t extra = 0) {
    BulletEntity* b = createBulletEntity(lists, row, owner, {pixel(x), pixel(y)}, 0, 0, extra, false, false);
    EXPECT_NE(b, nullptr);
    return *b;
  }
  const BulletEffects& slots(uint16_t row) { return contentTables().bulletEffects[row]; }
  // A dying mob: a probe standing where the mob was, known to the hooks.
  MobEntity* mobAt(int32_t x, int32_t y) {
    Probe& body = probe(x, y);
    auto* mob = reinterpret_cast<MobEntity*>(&body);
    hooks.bodies[mob] = &body;
    return mob;
  }
  std::vector<uint16_t> deathOf(uint16_t row, int tries = 40) {
    std::vector<uint16_t> rows;
    MobEntity* mob = mobAt(10, kGround + 2);
    const auto& effect = contentTables().mobDeathEffects[row];
    if (!effect) return rows;
    for (int i = 0; i < tries; ++i) effect(mob, *world);
    for (const MobRequest& r : hooks.spawned) rows.push_back(r.row);
    hooks.spawned.clear();
    return rows;
  }

  RecordingHooks hooks;
  EffectRules effectRules;
  FixedWorldOptions lock;
  EntityEffectRegistry registry;
};

TEST_F(EntityEffects_, MobReplacementsAskForExactlyOneMob) {
  EXPECT_EQ(deathOf(884, 1), std::vector<uint16_t>{887});
  EXPECT_EQ(deathOf(887, 1), std::vector<uint16_t>{885});
  EXPECT_EQ(deathOf(863, 3), (std::vector<uint16_t>{864, 864, 864}));
}

TEST_F(EntityEffects_, MobFamiliesSplitIntoTheirSmallerMembers) {
  struct Case {
    uint16_t dying;
    uint16_t child;
    size_t most;  // per death
  };
  const Case cases[] = {
      {420, 220, 3}, {221, 220, 2}, {220, 222, 2}, {488, 486, 3}, {453, 466, 2},
      // Group base 493: family 0 is 493 (C), 494 (B), 495 (A), splitting down to 222.
      {495, 493, 3}, {494, 493, 2}, {493, 222, 2},
      // The last family of the last group (base 787, k = 8): C = 811, D = 485.
      {813, 811, 3}, {811, 485, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.dying);
    const std::vector<uint16_t> rows = deathOf(c.dying);
    ASSERT_FALSE(rows.empty()) << "forty deaths never split";
    EXPECT_TRUE(std::all_of(rows.begin(), rows.end(), [&](uint16_t r) { return r == c.child; }));
    EXPECT_LE(rows.size(), c.most * 40);
  }
  EXPECT_TRUE(deathOf(100, 1).empty());
}

TEST_F(EntityEffects_, AMobWhoseBodyIsUnknownLeavesNothing) {
  contentTables().mobDeathEffects[884](reinterpret_cast<MobEntity*>(uintptr_t{0x42}), *world);
  EXPECT_TRUE(hooks.spawned.empty());
}

TEST_F(EntityEffects_, ExplodingMobsQueueASmallBlastAtTheirCell) {
  MobEntity* mob = mobAt(10, kGround + 2);
  contentTables().mobDeathEffects[83](mob, *world);
  ASSERT_EQ(world->explosions().pending().size(), 1u);
  EXPECT_EQ(world->explosions().pending()[0].cell, &cell(10, kGround + 2));
  EXPECT_EQ(world->explosions().pending()[0].spec, projectile_effect::kSmallBlast);
}

TEST_F(EntityEffects_, AStickyChargeSticksTwoPixelsIntoTheWallAndTurns) {
  BulletEntity& b = shoot(9, 10, kGround + 1);
  slots(9).onHitWall(&b, 1);
  EXPECT_EQ(b.data.cell, &cell(10, kGround));
  EXPECT_FLOAT_EQ(b.data.y, pixel(kGround) + 13);
  EXPECT_FLOAT_EQ(b.rotation(), 0);
  EXPECT_FALSE(b.data.moving);
  BulletEntity& side = shoot(92, 10, kGround + 2);
  slots(92).onHitWall(&side, 2);
  EXPECT_FLOAT_EQ(side.data.x, pixel(11) - 13);
  EXPECT_FLOAT_EQ(side.rotation(), 270);
  BulletEntity& top = shoot(96, 10, kHeight - 1);
  slots(96).onHitWall(&top, 3);
  EXPECT_TRUE(top.data.removed) << "no cell above the top row";
}

TEST_F(EntityEffects_, AFuseThatSticksRestartsAtThirtyTicksAndSwellsAgainFromOne) {
  BulletEntity& b = shoot(121, 10, kGround + 1);
  b.lifeLeft = 2;
  slots(121).onHitWall(&b, 1);
  EXPECT_FLOAT_EQ(b.lifeLeft, 30);
  EXPECT_FLOAT_EQ(b.lifeTotal, 30);
  slots(121).onTick(&b);
  EXPECT_FLOAT_EQ(b.spriteScale, 1);
  b.lifeLeft = 15;
  slots(121).onTick(&b);
  EXPECT_FLOAT_EQ(b.spriteScale, 1.25f);
}

TEST_F(EntityEffects_, TheTimedBlastObeysTheWorldsExplosivesLock) {
  lock.explosives = true;
  BulletEntity& peers = shoot(121, 10, kGround + 2, 2);
  slots(121).onEnd(&peers);
  EXPECT_TRUE(world->explosions().pending().empty());
  BulletEntity& mine = shoot(121, 12, kGround + 2, 1);
  slots(121).onEnd(&mine);
  EXPECT_EQ(world->explosions().pending().size(), 1u);
  lock.explosives = false;
  slots(121).onEnd(&peers);
  EXPECT_EQ(world->explosions().pending().size(), 2u);
}

TEST_F(EntityEffects_, BlastRowsQueueTheirOwnBlastAndSwell) {
  BulletEntity& b = shoot(12, 10, kGround + 2);
  slots(12).onEnd(&b);
  ASSERT_EQ(world->explosions().pending().size(), 1u);
  EXPECT_EQ(world->explosions().pending()[0].spec, (BlastSpec{25, 8, 6, 5, 5, 2, 60}));
  b.lifeLeft = 0;
  slots(12).onTick(&b);
  EXPECT_FLOAT_EQ(b.spriteScale, 1.5f);
  withRules(false);
  slots(12).onEnd(&b);
  EXPECT_EQ(world->explosions().pending().size(), 1u) << "a client leaves blasts to the host";
}

TEST_F(EntityEffects_, AGliderIsLiftedWhenFast) {
  BulletEntity& b = shoot(122, 10, kGround + 5);
  b.data.vx = 10;
  slots(122).onTick(&b);
  EXPECT_NEAR(b.data.impulseY, 0.24f, 1e-5);
  b.data.vx = -20;
  b.data.impulseY = 0;
  slots(122).onTick(&b);
  EXPECT_NEAR(b.data.impulseY, 0.24f * 12 / 7, 1e-5);
  b.data.vx = 8;
  b.data.impulseY = 0;
  slots(122).onTick(&b);
  EXPECT_FLOAT_EQ(b.data.impulseY, 0);
}

TEST_F(EntityEffects_, ChippingRowsChipTheWallOrBreakIt) {
  for (int i = 0; i < 30; ++i) {
    BulletEntity& b = shoot(140, 10, kGround + 1);
    slots(140).onHitWall(&b, 1);
  }
  // Stone is not breakable: every hit only plays the chip effect.
  EXPECT_EQ(effectRules.cellEffects, std::vector<uint8_t>(30, 11));
  EXPECT_TRUE(effectRules.edits.empty());
}

TEST_F(EntityEffects_, ABreakableWallBreaksAboutOneHitInFive) {
  contentTables().blockDefs[kStone].record.bytes[content::block_record::flags] = 1u << block_flag::kBreakable;
  for (int i = 0; i < 200; ++i) {
    BulletEntity& b = shoot(135, 10, kGround + 1);
    slots(135).onHitWall(&b, 1);
  }
  EXPECT_GT(effectRules.edits.size(), 20u);
  EXPECT_LT(effectRules.edits.size(), 70u);
  EXPECT_TRUE(std::all_of(effectRules.edits.begin(), effectRules.edits.end(), [](uint8_t k) { return k == 5; }));
  EXPECT_EQ(effectRules.edits.size() + effectRules.cellEffects.size(), 200u);
}

TEST_F(EntityEffects_, AWornSparkleGlintsAroundItsWearerAboutHalfTheTime) {
  const auto& worn = contentTables().itemDefs[1949].wornEffect;
  worn(nullptr, nullptr, world.get());
  EXPECT_EQ(lists.debris().size(), 0u) << "an unknown wearer has no place";
  hooks.wearerWorld = world.get();
  hooks.wearerAt = {pixel(10), pixel(kGround + 5)};
  for (int i = 0; i < 100; ++i) worn(nullptr, nullptr, world.get());
  EXPECT_GT(lists.debris().size(), 30u);
  EXPECT_LT(lists.debris().size(), 70u);
  const DebrisEntity& glint = lists.debris().at(0);
  EXPECT_GE(glint.data.x, pixel(10) - 3.75f);
  EXPECT_LE(glint.data.x, pixel(10) + 3.75f);
  EXPECT_GE(glint.data.y, pixel(kGround + 5) + 7.5f);
  EXPECT_LE(glint.data.y, pixel(kGround + 5) + 12.5f);
}

TEST_F(EntityEffects_, AFireworkLaunchesSubRocketsThatEachSpendOneColour) {
  RangedSpec launcher{};
  launcher.bytes[content::ranged_record::bulletRow] = 25;
  contentTables().itemDefs[1298].rangedSpec = &launcher;
  BulletEntity& b = shoot(24, 10, kGround + 8, 0, 0x321);
  const size_t before = lists.bullets().size();
  slots(24).onEnd(&b);
  ASSERT_EQ(lists.bullets().size(), before + 5);
  auto& rocket = static_cast<BulletEntity&>(lists.bullets().at(before));
  EXPECT_EQ(rocket.row(), 25);
  EXPECT_EQ(rocket.extra, 0x32u);
  // A second-stage rocket of row 25 with two colours makes two more.
  const size_t second = lists.bullets().size();
  slots(25).onEnd(&rocket);
  EXPECT_EQ(lists.bullets().size(), second + 2);
  contentTables().itemDefs[1298].rangedSpec = nullptr;
}

TEST_F(EntityEffects_, ACapsuleReleasesOnlyAMobOfTheSpawnableTable) {
  BulletEntity& good = shoot(97, 10, kGround + 2, 0, 201);
  slots(97).onEnd(&good);
  ASSERT_EQ(hooks.spawned.size(), 1u);
  EXPECT_EQ(hooks.spawned[0].row, 201);
  EXPECT_TRUE(hooks.spawned[0].forced);
  EXPECT_EQ(effectRules.cellEffects, std::vector<uint8_t>{19});
  BulletEntity& forged = shoot(97, 10, kGround + 2, 0, 884);
  slots(97).onEnd(&forged);
  EXPECT_EQ(hooks.spawned.size(), 1u) << "a row outside the table is refused";
  BulletEntity& random = shoot(34, 10, kGround + 2);
  slots(34).onEnd(&random);
  ASSERT_EQ(hooks.spawned.size(), 2u);
  EXPECT_TRUE(hooks.spawned[1].row == 200 || hooks.spawned[1].row == 201);
  lock.explosives = true;
  BulletEntity& peers = shoot(97, 10, kGround + 2, 2, 201);
  slots(97).onEnd(&peers);
  EXPECT_EQ(hooks.spawned.size(), 2u) << "the lock refuses a peer's capsule";
}

TEST_F(EntityEffects_, AFireworkWithoutColoursSparksButLaunchesNothing) {
  defineBullet(30, {.lifetime = 5});
  BulletEntity& b = shoot(24, 10, kGround + 8, 0, 0);
  const size_t bullets = lists.bullets().size();
  slots(24).onEnd(&b);
  EXPECT_EQ(lists.bullets().size(), bullets);
  EXPECT_GE(lists.debris().size(), 40u);
  EXPECT_LE(lists.debris().size(), 60u);
  EXPECT_EQ(effectRules.sounds, std::vector<uint16_t>{42});
}

TEST_F(EntityEffects_, TrailRowsLeaveParticlesAboutHalfTheTime) {
  BulletEntity& b = shoot(35, 10, kGround + 8);
  for (int i = 0; i < 200; ++i) slots(35).onTick(&b);
  EXPECT_GT(lists.debris().size(), 60u);
  EXPECT_LT(lists.debris().size(), 140u);
}

TEST_F(EntityEffects_, TheShakingBlocksShakeTheScreenHard) {
  for (uint16_t id = 2316; id <= 2329; ++id) {
    const auto& strike = contentTables().blockDefs[id].strikeEffect;
    if (strike) strike(&cell(1, 1), nullptr, *world);
  }
  EXPECT_EQ(hooks.shakes, std::vector<bool>(12, false));
  EXPECT_TRUE(static_cast<bool>(contentTables().itemDefs[1949].wornEffect));
}

TEST_F(EntityEffects_, EachWorldsEffectsReachOnlyItsOwnHooks) {
  RecordingHooks otherHooks;
  const std::unique_ptr<World> other = buildStoneWorld(1);
  other->setContext({.effectHooks = &otherHooks});
  const std::unique_ptr<World> bare = buildStoneWorld(1);
  for (uint16_t id = 2316; id <= 2329; ++id) {
    const auto& strike = contentTables().blockDefs[id].strikeEffect;
    if (!strike) continue;
    strike(&other->map().cell(1, 1), nullptr, *other);
    strike(&bare->map().cell(1, 1), nullptr, *bare);  // no hooks: nothing shakes, no fault
    break;
  }
  EXPECT_EQ(otherHooks.shakes, std::vector<bool>{false});
  EXPECT_TRUE(hooks.shakes.empty()) << "this test's world was not struck";
  WorldEntities otherLists(*other);
  Entity& body = otherLists.add(std::make_unique<Probe>(*other, &other->map().cell(10, kGround + 2),
                                                        engine::Vec2{pixel(10), pixel(kGround + 2)}));
  auto* mob = reinterpret_cast<MobEntity*>(&body);
  otherHooks.bodies[mob] = &body;
  contentTables().mobDeathEffects[884](mob, *other);
  EXPECT_EQ(otherHooks.spawned.size(), 1u) << "the mob died in the other world";
  EXPECT_TRUE(hooks.spawned.empty());
  otherLists.clearAll();
}

TEST_F(EntityEffects_, EveryProjectileSlotIsFilledOnceAsListed) {
  int filled = 0;
  for (const BulletEffects& row : contentTables().bulletEffects) {
    filled += row.onHitMob ? 1 : 0;
    filled += row.onHitWall ? 1 : 0;
    filled += row.onEnd ? 1 : 0;
    filled += row.onTick ? 1 : 0;
  }
  // 11 blasts (end and tick), 3 sticking, 3 fuse slots, 1 glide, 12 chipping, 13 capsules,
  // 2 trails, 3 fireworks.
  EXPECT_EQ(filled, 22 + 3 + 3 + 1 + 12 + 13 + 2 + 3);
}

}  // namespace
}  // namespace entity_test
