// What worn items do in a fight: their thorns hurt back a mob that touches the player, and their
// knock-back factors throw a mob further under the player's blows and shots; taken off, they do
// nothing more. Life is stolen by the held weapon, with the buffs' share added.

#include <cmath>
#include <cstring>

#include "content/tables/item_def.h"
#include "entities/projectiles/bullet_factory.h"
#include "game/combat/mob_hit.h"
#include "game/inventory/inventory.h"
#include "game/inventory/item_kinds.h"
#include "tests/game/session/mob_session_fixture.h"

namespace game_test {
namespace {

constexpr uint16_t kBoots = 130;   // worn, equipment slot 0
constexpr uint16_t kDagger = 131;  // a weapon
constexpr float kMobHealth = 50;

class WornItemsTest : public ShotAndCatchTest {
 protected:
  void SetUp() override {
    ShotAndCatchTest::SetUp();
    defineItem(kBoots, item_kind::kFirstWorn, false);
    contentTables().itemDefs[kBoots].buff = &boots;
    defineItem(kDagger, item_kind::kWeapon, false);
    contentTables().itemDefs[kDagger].tool = &dagger;
  }
  void TearDown() override {
    contentTables().itemDefs[kBoots].buff = nullptr;
    contentTables().itemDefs[kDagger].tool = nullptr;
    ShotAndCatchTest::TearDown();
  }

  // The boots' stats: thorns (kind 11, f32), the knock-back of blows and shots (12 and 13, percent).
  void shapeBoots(float thorns, uint8_t blowPercent, uint8_t shotPercent) {
    namespace b = content::buff_record;
    std::memcpy(&boots.bytes[b::stat11], &thorns, 4);
    boots.bytes[b::stat12] = blowPercent;
    boots.bytes[b::stat13] = shotPercent;
  }
  void wear(bool on) {
    player().inventory->setSlot({SlotKind::Equipment, 0, 0}, ItemPtr(on ? makeItem(kBoots, 1) : nullptr));
    player().refreshAppearance();
  }
  // How hard the mob was pushed since it last stood still.
  static float push(MobEntity& mob) {
    const float strength = std::hypot(mob.data.impulseX, mob.data.impulseY);
    mob.data.impulseX = mob.data.impulseY = 0;
    return strength;
  }
  // A player's blow reaches the session's rules in each of its roles.
  MobHitRules blowRules() { return {session.rules(), session.rules(), session.rules()}; }

  float touchBack(MobEntity& mob) {
    const float before = mob.health;
    player().cooldown = 0;
    player().health = 5;
    EXPECT_TRUE(session.rules().touchPlayersNearMob(&mob));
    return before - mob.health;
  }

  BuffSpec boots;
  ToolSpec dagger;
};

TEST_F(WornItemsTest, WornThornsHurtBackAMobThatTouchesThePlayerUntilTheyAreTakenOff) {
  shapeBoots(1.5f, 0, 0);
  MobEntity& mob = mobAt(player().position, kMobHealth);
  const float damage = 1.0f;
  std::memcpy(&contentTables().mobDefs[kMobRow].bytes[content::mob_record::damage], &damage, 4);
  EXPECT_FLOAT_EQ(touchBack(mob), 0.0f) << "bare";
  wear(true);
  EXPECT_FLOAT_EQ(touchBack(mob), 1.5f);
  wear(false);
  EXPECT_FLOAT_EQ(touchBack(mob), 0.0f) << "taken off";
}

TEST_F(WornItemsTest, WornKnockBackThrowsAMobFurtherUnderBlowsAndShots) {
  shapeBoots(0, 50, 100);
  defineArrow(1, 2, 0);
  MobEntity& mob = mobAt({player().position.x + 10, player().position.y}, kMobHealth);
  auto blow = [&] {
    hitMobByPlayer(blowRules(), player(), mob);
    return push(mob);
  };
  auto shot = [&] {
    mob.data.moving = false;
    createBulletEntity(lists(), kArrowRow, playerId(), {mob.data.x, mob.data.y}, 0.2f, 0, 0, false, false);
    step();
    return push(mob);
  };
  const float bareBlow = blow();
  const float bareShot = shot();
  ASSERT_GT(bareBlow, 0);
  ASSERT_GT(bareShot, 0);
  wear(true);
  EXPECT_FLOAT_EQ(blow(), bareBlow * 1.5f) << "half as hard again";
  EXPECT_FLOAT_EQ(shot(), bareShot * 2.0f) << "twice as hard";
}

TEST_F(WornItemsTest, AWeaponThatStealsLifeGivesBackWhatItStoleWithTheBuffsShareButNoMoreThanItDealt) {
  const float power = 1.0f;
  const float steal = 0.25f;
  std::memcpy(&dagger.bytes[content::tool_record::power], &power, 4);
  std::memcpy(&dagger.bytes[8], &steal, 4);  // the third value of the weapon's stat list
  player().inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kDagger, 1));
  player().inventory->select(0);
  MobEntity& mob = mobAt({player().position.x + 10, player().position.y}, kMobHealth);
  player().health = 2;
  hitMobByPlayer(blowRules(), player(), mob);
  EXPECT_FLOAT_EQ(player().health, 2.25f);
  player().stats.lifeSteal = 0.5f;  // as the buffs add it
  hitMobByPlayer(blowRules(), player(), mob);
  EXPECT_FLOAT_EQ(player().health, 3.0f);
  player().stats.lifeSteal = 5;
  hitMobByPlayer(blowRules(), player(), mob);
  EXPECT_FLOAT_EQ(player().health, 4.0f) << "the blow dealt 1";
}

}  // namespace
}  // namespace game_test
