// A player's health: damage and armour through the rules, death and what it drops, coming back
// at a spawnable cell, buffs running out, breath, and the flag ids from outside.

#include "content/potions/potion_table.h"
#include "game/inventory/drop_areas.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

uint16_t potionValueOfLevel(int level, int column) {
  for (const PotionDef& def : potionDefs()) {
    if (def.durationClass == level) return static_cast<uint16_t>((def.code << 6) | column);
  }
  ADD_FAILURE() << "no potion of level " << level;
  return 0;
}

class PlayerHealthTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    floorAt(4);
    player->setCell(10, 5);
    player->revive();
  }
  void setDifficultyFloat(size_t offset, float value) { std::memcpy(difficulty.bytes.data() + offset, &value, 4); }
};

TEST_F(PlayerHealthTest, DamageKindsMeetArmourAndGodmode) {
  const struct {
    uint8_t kind;
    float armour;
    bool god;
    float lost;
  } cases[] = {{2, 0.9f, false, 0.1f}, {21, 0.9f, false, 1.0f}, {2, 0.0f, true, 0.0f}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    player->revive();
    player->stats.armour[c.kind < 4 ? c.kind : 0] = c.armour;
    player->stats.setFlag(player_flag::kGodmode, c.god);
    EXPECT_EQ(player->takeDamage(1.0f, c.kind), !c.god);
    EXPECT_NEAR(player->stats.maxHealth - player->health, c.lost, 1e-5f);
    player->stats.armour[c.kind < 4 ? c.kind : 0] = 0;
  }
}

TEST_F(PlayerHealthTest, ContactDamageWaitsOutTheProtectionTime) {
  setDifficultyFloat(12, 0.5f);
  EXPECT_TRUE(game.damageLocalPlayer(1.0f, 0));
  EXPECT_FALSE(game.damageLocalPlayer(1.0f, 1));
  EXPECT_TRUE(game.damageLocalPlayer(1.0f, 10));
  EXPECT_FLOAT_EQ(player->health, 3.0f);
  ticks(31);
  EXPECT_TRUE(game.damageLocalPlayer(1.0f, 1));
}

TEST_F(PlayerHealthTest, DeathDropsByDifficultyOnlyOnceSettled) {
  difficulty.bytes[difficulty_record::dropsBackpack] = 1;
  player->inventory->setSlot({SlotKind::Backpack, 0, 0}, makeItem(kStone, 4));
  player->inventory->setSlot({SlotKind::Quick, 3, 0}, makeItem(kGem, 1));
  player->stats.buffs.push_back({potionValueOfLevel(1, 0), 30});
  EXPECT_TRUE(game.damageLocalPlayer(9.0f, 24));
  EXPECT_EQ(player->dead, 1);
  EXPECT_TRUE(player->stats.buffs.empty());
  EXPECT_EQ(events.deathViews, 1);
  EXPECT_EQ(events.stats.back().id, Player::kStatDied);
  EXPECT_FALSE(game.damageLocalPlayer(1.0f, 10));  // the dead take no more
  game.setSettled(false);
  game.dropInventoryOnDeath();
  EXPECT_TRUE(drops.dropped.empty());
  game.setSettled(true);
  game.dropInventoryOnDeath();
  EXPECT_EQ(drops.dropped, std::vector<uint16_t>{kStone});
  EXPECT_EQ(player->inventory->countItems(kGem, false, false), 1u);
}

TEST_F(PlayerHealthTest, RespawnFindsTheNearestSpawnableCellOrKeepsTheOld) {
  for (int32_t y = 0; y < kHeight; ++y) floorAt(y);  // buried in dirt
  player->setSpawnCell(10, 12);
  player->respawnReset();
  EXPECT_EQ(player->spawnCellX, 10);
  EXPECT_EQ(player->spawnCellY, 12);
  put(13, 14, 0);  // open, on dirt
  put(12, 12, 0);  // open, but over another open cell
  put(12, 11, 0);
  put(12, 10, kLadder);  // a ladder cell is spawnable itself and counts as ground for the cell above
  player->respawnReset();
  // Ring 2 is scanned column by column, rows upwards within each: (12, 10) comes before (12, 11).
  EXPECT_EQ(player->spawnCellX, 12);
  EXPECT_EQ(player->spawnCellY, 10);
  game.damageLocalPlayer(99.0f, 10);
  game.respawn();
  EXPECT_EQ(player->dead, 0);
  EXPECT_EQ(player->cellX, 12u);
  EXPECT_EQ(player->cellY, 10u);
}

TEST_F(PlayerHealthTest, UnknownBuffIdsAndHighFlagIdsAreIgnored) {
  int emptyCode = 0;
  while (potionTable().atCode(emptyCode) != nullptr) ++emptyCode;
  player->addBuff(static_cast<uint16_t>(emptyCode << 6));
  EXPECT_TRUE(player->stats.buffs.empty());
  for (uint16_t id : {uint16_t{32}, uint16_t{0xFFFF}}) player->stats.setFlag(id, true);
  rules.setPlayerFlag(player.get(), 40, 1);
  EXPECT_TRUE(player->stats.flags.none());
}

TEST_F(PlayerHealthTest, BreathLastsEightStepsUnderWater) {
  for (int32_t y = 5; y < 10; ++y) at(10, y).liquid = static_cast<uint8_t>(4 | (4 << 3) | (1 << 6));
  ticks(1);
  for (int step = 1; step <= 8; ++step) player->applyEnvironmentDamage(rules);
  EXPECT_EQ(player->breath, 0);
  EXPECT_FLOAT_EQ(player->health, 5.0f);
  player->applyEnvironmentDamage(rules);
  EXPECT_FLOAT_EQ(player->health, 4.0f);
}

TEST_F(PlayerHealthTest, TheRulesTimersStepBuffsAndRegenerationEachSecond) {
  setDifficultyFloat(16, 0.25f);
  player->health = 2;
  const uint16_t value = potionValueOfLevel(0, 0);
  player->addBuff(value);
  rules.startTimers();
  for (int second = 0; second < 10; ++second) rules.timers().step();
  EXPECT_TRUE(player->stats.buffs.empty());
  EXPECT_FLOAT_EQ(player->health, 2.25f);
  game.pause();
  for (int second = 0; second < 10; ++second) rules.timers().step();
  EXPECT_FLOAT_EQ(player->health, 2.25f);
  game.unpause();
  for (int second = 0; second < 10; ++second) rules.timers().step();
  EXPECT_FLOAT_EQ(player->health, 2.5f);
}

}  // namespace
}  // namespace game_test
