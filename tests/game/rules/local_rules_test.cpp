// The local rules' own operations: loot by table mode and difficulty, a removed container that
// lets go of the player who has it open, which ammunition a weapon takes, and the local game's
// block actions (using a block by its word, shelves that refuse, eating, freezing the clock).

#include <cstring>
#include <memory>

#include "content/format/record_layout.h"
#include "content/items/block_edit.h"
#include "content/tables/loot_table.h"
#include "game/player/player.h"
#include "game/rules/loot_rules.h"
#include "game/rules/projectile_choice.h"
#include "tests/game/game_fixture.h"
#include "world/blocks/chest.h"
#include "world/blocks/shelf.h"
#include "world/cells/block_flags.h"

namespace game_test {
namespace {

constexpr uint16_t kLootBlock = 40;
constexpr uint16_t kKeeperDeco = 41;  // a decoration that keeps the others from dropping
constexpr uint16_t kOtherDeco = 42;   // a decoration with the neighbouring bits, but not that one
constexpr uint16_t kStation = 38;     // a station block of the station table

class LocalRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    defineBlock(kLootBlock, {.flags = bits({block_flag::kBreakable, block_flag::kSolid}), .transparency = 0});
    defineBlock(kKeeperDeco, {.flags = bits({block_flag::kKeepsAttachmentLoot}), .transparency = 2});
    defineBlock(kOtherDeco, {.flags = bits({block_flag::kBreakable, block_flag::kKeepsCoverOff}), .transparency = 2});
    defineBlock(kStation, {.flags = bits({block_flag::kCraftingStation}), .transparency = 1});
    // Rolled chances count as they stand on this difficulty.
    const float one = 1.0f;
    for (size_t i = 0; i < content::difficulty_record::lootFactorCount; ++i) {
      std::memcpy(difficulty.bytes.data() + content::difficulty_record::lootFactors + 4 * i, &one, sizeof one);
    }
    remakeWorld();
  }
  void TearDown() override {
    contentTables().blockDefs[kLootBlock].lootTable = nullptr;
    contentTables().blockDefs[kKeeperDeco].lootTable = nullptr;
    GameTest::TearDown();
  }
  // A table of item entries: (item, chance or weight, count).
  LootTable& table(uint8_t mode, std::initializer_list<std::tuple<uint16_t, float, uint8_t>> entries) {
    auto made = std::make_unique<LootTable>();
    made->mode = mode;
    for (const auto& [item, chance, count] : entries) {
      LootEntry entry;
      entry.item = item;
      entry.chance = chance;
      entry.minCount = count;
      entry.maxCount = count;
      made->entries.push_back(entry);
    }
    tables_.push_back(std::move(made));
    return *tables_.back();
  }
  std::vector<std::unique_ptr<LootTable>> tables_;
};

TEST_F(LocalRulesTest, BlocksDropTheirLootByTheTablesModeButNotInACreativeWorld) {
  contentTables().blockDefs[kLootBlock].lootTable = &table(0, {{kStone, 1.0f, 2}, {kGem, 0.0f, 1}});
  put(5, 5, kLootBlock);
  rules.dropAttachmentLoot(at(5, 5), MapBlock::kFront, player.get());
  EXPECT_EQ(drops.dropped, (std::vector<uint16_t>{kStone, kStone})) << "every entry rolls; a chance of 0 never lands";

  drops.dropped.clear();
  contentTables().blockDefs[kLootBlock].lootTable = &table(1, {{kGem, 1.0f, 1}, {kStone, 1.0f, 1}});
  for (int i = 0; i < 20; ++i) rules.dropBlockLoot(at(5, 5), kLootBlock, nullptr);
  EXPECT_EQ(drops.dropped.size(), 20u) << "a weighted table gives exactly one entry";

  drops.dropped.clear();
  at(5, 5).addDeco(kOtherDeco, 0, MapBlock::kFront);
  rules.dropAttachmentLoot(at(5, 5), MapBlock::kFront, nullptr);
  EXPECT_EQ(drops.dropped.size(), 1u) << "only the keeping flag keeps loot: the block's entry drops";

  drops.dropped.clear();
  at(5, 5).addDeco(kKeeperDeco, 0, MapBlock::kFront);
  rules.dropAttachmentLoot(at(5, 5), MapBlock::kFront, nullptr);
  EXPECT_TRUE(drops.dropped.empty()) << "the keeping decoration keeps the block's loot too";

  remakeWorld(WorldParams{.mode = 1});
  put(5, 5, kLootBlock);
  rules.dropAttachmentLoot(at(5, 5), MapBlock::kFront, nullptr);
  EXPECT_TRUE(drops.dropped.empty());
}

TEST_F(LocalRulesTest, ARemovedContainerLetsGoOfThePlayerWhoHasItOpen) {
  Chest& chest = world->chests().add(std::make_unique<Chest>(at(6, 5), 0));
  Chest& other = world->chests().add(std::make_unique<Chest>(at(8, 5), 0));
  player->setOpenContainer(&chest);
  rules.releaseBlockEntity(other);
  EXPECT_EQ(player->openContainer(), &chest) << "another container going changes nothing";
  rules.releaseBlockEntity(chest);
  EXPECT_EQ(player->openContainer(), nullptr) << "let go while the chest still exists";
}

TEST_F(LocalRulesTest, AWeaponTakesOnlyItsAmmunition) {
  const struct {
    uint16_t weapon, ammunition;
    bool accepted, range;
  } cases[] = {
      {775, 916, true, false}, {775, 917, false, false}, {783, 1429, true, false}, {850, 1556, true, false},
      {1235, 1363, true, false}, {910, 596, true, false}, {15, 16, true, true}, {399, 528, true, true},
      {15, 17, false, true}, {15, 592, false, true}, {101, 916, false, false},
  };
  for (const auto& c : cases) {
    bool range = false;
    EXPECT_EQ(acceptsAmmunition(c.weapon, c.ammunition, range), c.accepted) << c.weapon << " " << c.ammunition;
    EXPECT_EQ(range, c.range) << c.weapon;
  }
}

TEST_F(LocalRulesTest, TheLocalGameUsesABlockOfItsOwnMapOnAFrontOrBackLayer) {
  player->cellX = 10;
  player->cellY = 5;
  put(11, 5, kStation);
  const uint8_t stationBefore = player->inventory->station();
  MapBlock stray = at(11, 5);
  EXPECT_FALSE(game.useBlock(stray, MapBlock::kFront)) << "a copy is no cell of the map";
  EXPECT_FALSE(game.useBlock(at(11, 5), 2)) << "no such layer";
  EXPECT_EQ(player->inventory->station(), stationBefore);
  EXPECT_TRUE(game.useBlock(at(11, 5), MapBlock::kFront));
  EXPECT_EQ(player->inventory->station(), 4) << "standing at the station";
}

TEST_F(LocalRulesTest, AShelfTakesOneUnitAndARefusalLeavesTheStackAsItWas) {
  player->inventory->setSlot({SlotKind::Quick, 0, 0}, makeItem(kStone, 3));
  player->inventory->select(0);
  Item* stack = player->heldItem();
  EXPECT_FALSE(game.putItemOnShelf(at(5, 5), stack, 0));
  EXPECT_EQ(player->heldItem(), stack);
  EXPECT_EQ(stack->count, 3);

  constexpr uint16_t kTwoSlotShelf = 210;  // a shelf of the shelves' table
  put(6, 5, kTwoSlotShelf);
  EXPECT_TRUE(game.putItemOnShelf(at(6, 5), stack, 0));
  EXPECT_EQ(stack->count, 2) << "the shelf took one unit, the stack keeps the rest";
  ASSERT_NE(world->shelves().findAt(at(6, 5)), nullptr);
  EXPECT_EQ(world->shelves().findAt(at(6, 5))->itemAt(0)->count, 1);
}

TEST_F(LocalRulesTest, FreezingTheClockStopsItAndTellsThePlayer) {
  game.setTimeFrozen(1);
  EXPECT_EQ(world->dayClock().running, 0);
  game.setTimeFrozen(0);
  EXPECT_EQ(world->dayClock().running, 1);
  EXPECT_EQ(events.texts, (RecordingEvents::Texts{{2, 187}, {2, 188}}));
}

TEST_F(LocalRulesTest, AnEffectAtAnEntityIsPlayedByTheLocalPlayersView) {
  auto* somewhere = reinterpret_cast<Entity*>(uintptr_t{0x40});
  rules.broadcastEffect(somewhere, 25, 128);
  ASSERT_EQ(events.entityEffects.size(), 1u);
  EXPECT_EQ(events.entityEffects[0].entity, somewhere);
  EXPECT_EQ(events.entityEffects[0].kind, 25);
  EXPECT_EQ(events.entityEffects[0].value, 128);
}

TEST_F(LocalRulesTest, OnlyTheMachinesOwnPlayerIsLocal) {
  EXPECT_TRUE(rules.isLocalPlayer(player.get()));
  PlayerDesktopLocal stranger(&game);
  EXPECT_FALSE(rules.isLocalPlayer(&stranger));
  EXPECT_FALSE(rules.isLocalPlayer(nullptr));
}

}  // namespace
}  // namespace game_test
