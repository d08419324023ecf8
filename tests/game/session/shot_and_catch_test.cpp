// What a player's shot does to a mob and what a reel-in lands, through a local session's rules and
// entity lists: the hit box, the type bonus and the critical roll, the knock-back along the shot,
// the seam of the world; the thorns that hurt a mob back; the catch thrown to the player, the slow
// reel-in, the early one; a rod casts one bobber at a time, whatever bait it takes; a row that
// names an item throws that item.

#include <cstring>

#include "content/format/record_layout.h"
#include "content/tables/bullet_def.h"
#include "content/tables/content_tables.h"
#include "content/tables/mob_def.h"
#include "entities/mobs/mob_entity.h"
#include "entities/projectiles/bobber_entity.h"
#include "entities/projectiles/bullet_entity.h"
#include "entities/items/treasure_entity.h"
#include "entities/projectiles/bullet_factory.h"
#include "game/combat/bullet_mob_hit.h"
#include "game/player/player_events.h"
#include "game/rules/local_logic.h"
#include "game/session/local_session.h"
#include "game/session/running_world.h"
#include "game/session/session_entities.h"
#include "tests/game/session/mob_session_fixture.h"

namespace game_test {
namespace {

constexpr uint16_t kBobberRow = 6;
constexpr float kWorldPixels = 40 * 30.0f;

TEST(BulletMobHit, TheHitBoxIsTheMobsBoxAgainstAnEightPixelSquareTouchingEdgesIncluded) {
  const struct {
    float dx, dy;
    bool meets;
  } cases[] = {
      {0, 0, true},   {12, 0, true},   {12.9f, 0, true}, {13, 0, false},  // 16 wide: 8 each side, 4 more
      {-12, 0, true}, {-13, 0, false}, {0, 12, true},    {0, -13, false},  // the left corner truncated
      {-12.5f, 5, true},  // truncated towards zero: the box reaches 4 left of the shot, touching
  };
  for (const auto& c : cases) EXPECT_EQ(mobBoxMeetsShot(c.dx, c.dy, 16, 16), c.meets) << c.dx << ", " << c.dy;
}

TEST(BulletMobHit, TheTypeBonusComesFirstAndTheCriticalRollThenDoubles) {
  PlayerDesktopLocal owner(nullptr);
  owner.stats.damageBonus[1] = 0.5f;
  owner.stats.criticalChance = 0.25f;
  EXPECT_FLOAT_EQ(bulletMobDamage(10, 1, &owner, 0.5f), 15.0f) << "no critical";
  EXPECT_FLOAT_EQ(bulletMobDamage(10, 1, &owner, 0.1f), 30.0f) << "bonus, then doubled";
  EXPECT_FLOAT_EQ(bulletMobDamage(10, 0, &owner, 0.5f), 10.0f) << "no bonus for another type";
  EXPECT_FLOAT_EQ(bulletMobDamage(10, 1, nullptr, 0.0f), 10.0f) << "no thrower, no bonus, no roll";
}

// The mob stands just right of the seam, the arrow just left of it: the short way round they meet.
// A 16-pixel mob has half sizes of 8, and its box spans those (4 each side of it).
TEST_F(ShotAndCatchTest, AnArrowHitsAMobAcrossTheSeamWithTheThrowersBonusAndKnocksItAlongItsCourse) {
  defineArrow(10, 2, 1);
  player().stats.damageBonus[1] = 0.5f;
  MobEntity& mob = mobAt({3, 300}, 50);
  mob.data.moving = false;
  BulletEntity* arrow = createBulletEntity(lists(), kArrowRow, playerId(), {kWorldPixels - 2, 300}, 0.2f, 0, 0, false, false);
  ASSERT_NE(arrow, nullptr);
  step();
  EXPECT_FLOAT_EQ(mob.health, 35.0f) << "10, raised by half for its type";
  // Mobs step before projectiles: the push waits for the mob's next step.
  EXPECT_GT(mob.data.impulseX, 0) << "the arrow flew right: thrown at 45 degrees";
  EXPECT_GT(mob.data.impulseY, 0);
  EXPECT_TRUE(arrow->data.frozen) << "the arrow rests where it hit";
  EXPECT_FLOAT_EQ(arrow->timer, BulletEntity::kTimerAfterMobHit);
  EXPECT_EQ(events.stats, (std::vector<RecordingEvents::Stat>{{bullet_mob_hit::kShotStat, kArrowRow}}));
  const float after = mob.health;
  step(5);
  EXPECT_FLOAT_EQ(mob.health, after) << "a resting arrow hits nothing more";
}

TEST_F(ShotAndCatchTest, AShotNeverHitsAPetNorAMobBeyondItsSquareAndArrowsKillMobs) {
  defineArrow(30, 0, 0);
  MobEntity& far = mobAt({600, 300}, 50);
  BulletEntity* wide = createBulletEntity(lists(), kArrowRow, playerId(), {560, 300}, 0.2f, 0, 0, false, false);
  ASSERT_NE(wide, nullptr);
  step();
  EXPECT_FLOAT_EQ(far.health, 50.0f) << "40 pixels off";
  MobEntity& target = mobAt({300, 300}, 50);
  const EntityId id = target.id();
  for (int shot = 0; shot < 2; ++shot) {
    ASSERT_NE(createBulletEntity(lists(), kArrowRow, playerId(), {300, 300}, 0.2f, 0, 0, false, false), nullptr);
    step();
  }
  step();
  EXPECT_EQ(lists().findById(id), nullptr) << "two arrows of 30 kill a mob of 50";
}

// A player with thorns hurts a mob that touched it by the thorns value.
TEST_F(ShotAndCatchTest, AMobThatHurtsAPlayerWithThornsIsHurtBack) {
  const float thorns = 2;
  player().stats.thorns = thorns;
  MobEntity& mob = mobAt(player().position, 50);
  const float damage = 1.0f;
  std::memcpy(&contentTables().mobDefs[kMobRow].bytes[content::mob_record::damage], &damage, 4);
  player().cooldown = 0;
  player().health = 5;
  ASSERT_TRUE(session.rules().touchPlayersNearMob(&mob));
  ASSERT_LT(player().health, 5.0f) << "the touch landed";
  EXPECT_FLOAT_EQ(mob.health, 50 - thorns);
}

// A ball's row names the ball: shot, it leaves as an item that lies where it lands, not as a bullet.
TEST_F(ShotAndCatchTest, AShotWhoseRowNamesAnItemThrowsThatItem) {
  constexpr uint16_t kBall = 120;
  defineItem(kBall, 6, true);
  defineArrow(0, 0, 0);
  namespace b = content::bullet_record;
  contentTables().bulletDefs[kArrowRow].bytes[b::thrownItem] = kBall & 0xFF;
  contentTables().bulletDefs[kArrowRow].bytes[b::thrownItem + 1] = kBall >> 8;
  RangedSpec ball;
  namespace r = content::ranged_record;
  ball.bytes[r::bulletRow] = kArrowRow;
  ball.bytes[r::ammunition] = ball.bytes[r::ammunition + 1] = 0xFF;
  ball.bytes[r::sound] = ball.bytes[r::sound + 1] = 0xFF;
  contentTables().itemDefs[kBall].rangedSpec = &ball;
  const ItemPtr held = makeItem(kBall, 3);
  Entity* thrown = session.rules().shootProjectile(held.get(), &player(), player().position, {2, 1}, 0);
  ASSERT_NE(thrown, nullptr);
  EXPECT_EQ(lists().bullets().size(), 0u) << "no bullet flies";
  ASSERT_EQ(lists().treasures().size(), 1u);
  const auto& lying = static_cast<const TreasureEntity&>(lists().treasures().at(0));
  EXPECT_EQ(lying.item().id, kBall);
  EXPECT_EQ(lying.item().count, 1) << "one of the stack";
  contentTables().itemDefs[kBall].rangedSpec = nullptr;
}

class CatchTest : public ShotAndCatchTest {
 protected:
  void SetUp() override {
    ShotAndCatchTest::SetUp();
    namespace r = content::bullet_record;
    BulletDef& row = contentTables().bulletDefs[kBobberRow];
    row = BulletDef{};
    row.bytes[r::row] = kBobberRow;
    putF32(row, r::size, 6);
    putF32(row, r::size + 4, 6);
    row.bytes[r::bobber] = 1;
    MapBlock& water = *world().cellAt(14, 12);
    water.liquid = static_cast<uint8_t>((1u << 6) | (4u << 3) | 4u);
  }
  BobberEntity& bobberIn(uint8_t state) {
    auto* bobber = dynamic_cast<BobberEntity*>(
        createBulletEntity(lists(), kBobberRow, playerId(), {14 * 30.0f, 12 * 30.0f}, 0, 0, 0, false, false));
    EXPECT_NE(bobber, nullptr);
    bobber->state = state;
    return *bobber;
  }
  size_t treasures() { return lists().treasures().size(); }
};

TEST_F(CatchTest, AQuickReelInOfAHookedFishThrowsTheCatchToThePlayerAndEndsTheFishing) {
  BobberEntity& bobber = bobberIn(4);
  session.rules().resolveFishingCatch(player(), 0.2f);
  ASSERT_EQ(treasures(), 1u) << "the catch flies out of the water";
  const RealEntity& fish = lists().treasures().at(0);
  EXPECT_LT(fish.data.impulseX, 0) << "towards the player, left of the bobber";
  EXPECT_GT(fish.data.impulseY, 0);
  ASSERT_EQ(events.stats.size(), 1u);
  EXPECT_EQ(events.stats[0].id, 6);
  EXPECT_EQ(bobber.state, 6) << "the bobber rises and fades";
  EXPECT_EQ(session.entities().bobberOf(playerId()), &bobber) << "still fading";
}

TEST_F(CatchTest, ASlowReelInLosesTheFishAndAnEarlyOneCatchesNothing) {
  BobberEntity& slow = bobberIn(4);
  session.rules().resolveFishingCatch(player(), 3.0f);
  EXPECT_EQ(treasures(), 0u);
  EXPECT_EQ(events.texts, (RecordingEvents::Texts{{3, 156}}));
  EXPECT_EQ(slow.state, 6);
  slow.data.removed = true;
  step();

  BobberEntity& early = bobberIn(2);
  session.rules().resolveFishingCatch(player(), 0.0f);
  EXPECT_EQ(treasures(), 0u) << "nothing bit yet";
  EXPECT_EQ(early.state, 6);
  EXPECT_TRUE(events.stats.empty());
}

// A rod that takes bait casts the bait's projectile; the bait's record says nothing of bobbers, yet
// a second cast while the first bobber is out is refused: casting is the rod's.
TEST_F(CatchTest, ASecondCastWhileTheBobberIsOutIsRefusedWhateverTheBait) {
  constexpr uint16_t kRod = 15;
  constexpr uint16_t kBait = 16;
  RangedSpec rod;
  RangedSpec bait;
  namespace r = content::ranged_record;
  rod.bytes[r::bobber] = 1;
  rod.bytes[r::needsAmmunition] = 1;
  rod.bytes[r::sound] = bait.bytes[r::sound] = 0xFF;
  rod.bytes[r::sound + 1] = bait.bytes[r::sound + 1] = 0xFF;
  bait.bytes[r::bulletRow] = kBobberRow;
  bait.bytes[r::ammunition] = bait.bytes[r::ammunition + 1] = 0xFF;
  contentTables().itemDefs[kRod].rangedSpec = &rod;
  contentTables().itemDefs[kBait].rangedSpec = &bait;
  player().inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kRod, 1));
  player().inventory->setSlot({SlotKind::Single, 0, 0}, makeItem(kBait, 5));
  player().inventory->select(0);
  Item* held = player().heldItem();
  const engine::Vec2 from = player().position;
  Entity* first = session.rules().shootProjectile(held, &player(), from, {1, 1}, 0);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->kind(), EntityKind::Bobber);
  EXPECT_EQ(session.rules().shootProjectile(held, &player(), from, {1, 1}, 0), nullptr);
  EXPECT_EQ(events.texts, (RecordingEvents::Texts{{3, 160}}));
  EXPECT_EQ(lists().bullets().size(), 1u);
  contentTables().itemDefs[kRod].rangedSpec = nullptr;
  contentTables().itemDefs[kBait].rangedSpec = nullptr;
}

}  // namespace
}  // namespace game_test
