// The player's rules: portals chosen on a host, sleeping, eating and drinking, pets that find
// things, plant growth through the rules' tasks, and what breaks what and which spawning items
// may be used.
#include "content/items/block_edit.h"
#include "content/items/trinket_pets.h"
#include "content/potions/potion_table.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"
#include "game/rules/bed_rules.h"
#include "game/rules/consumption_rules.h"
#include "game/rules/finding_pets.h"
#include "game/rules/item_use_rules.h"
#include "game/rules/portal_rules.h"
#include "platform/settings/settings.h"
#include "game/rules/rule_entities.h"
#include "tests/game/game_fixture.h"
#include "tests/world/fixed_world_options.h"
#include "world/light/light_map.h"
#include "world/plants/plant_system.h"

namespace game_test {
namespace {

constexpr uint16_t kBread = 110;    // food value 3
constexpr uint16_t kSpoiled = 111;  // food value -2
constexpr uint16_t kPotion = 2126 + 64 * 3;
constexpr uint16_t kSeedSniffer = 1885;  // a pet that finds seed items (41)

class ThrownItems final : public NullRuleEntities {
 public:
  Entity* spawnItemEntity(ItemPtr /*item*/, engine::Vec2, float, float, uint8_t) override {
    ++thrown;
    return nullptr;
  }
  size_t thrown = 0;
};

void setFood(uint16_t id, float value) {
  defineItem(id, 2, true);
  std::memcpy(contentTables().itemDefs[id].record.bytes.data() + content::item_record::value, &value, sizeof value);
}

uint16_t potionValue() {
  for (const PotionDef& def : potionDefs()) {
    if (def.code != 0) return static_cast<uint16_t>(def.code << 6);
  }
  return 0;
}

class PlayerRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    floorAt(4);
    player->stats.maxHealth = 10;
    player->health = 4;
  }
  void TearDown() override {
    resetLanguageTexts();
    GameTest::TearDown();
  }
  // Texts 0..193, each "text <id>", with the refusal and effect texts as the game has them.
  static void loadTexts() {
    std::string json = "{\"strings\": [";
    for (int id = 0; id < 194; ++id) {
      if (id > 0) json += ",";
      std::string text = "\"text " + std::to_string(id) + "\"";
      if (id == kCannotDrinkText) text = "\"You can't drink this now: %s\"";
      if (id == 190) text = "\"a similar effect is already active\"";
      if (id == 136) text = "\"You feel the effect of %s.\"";
      if (id == 137) text = "\"The effect of %s has worn off.\"";
      json += text;
    }
    languageTexts().loadText(json + "]}");
  }
  ThrownItems spawner;
};

TEST_F(PlayerRulesTest, FoodHealsOrHurtsAndIsCounted) {
  setFood(kBread, 3.0f);
  setFood(kSpoiled, -2.0f);
  Item bread(kBread, 0, 1, 0, 0);
  Item spoiled(kSpoiled, 0, 1, 0, 0);
  EXPECT_TRUE(canConsume(*player, bread));
  EXPECT_TRUE(consumeItem(rules, *player, &bread));
  EXPECT_FLOAT_EQ(player->health, 7.0f);
  player->cooldown = 5;  // harm is not stopped by the contact protection
  EXPECT_TRUE(consumeItem(rules, *player, &spoiled));
  EXPECT_FLOAT_EQ(player->health, 5.0f);
  EXPECT_EQ(events.stats, (std::vector<RecordingEvents::Stat>{{0, kBread}, {0, kSpoiled}}));
  EXPECT_TRUE(consumeItem(rules, *player, nullptr));
}

TEST_F(PlayerRulesTest, APotionOfAnActiveFamilyIsRefusedWithItsReason) {
  loadTexts();
  defineItem(kPotion, 2, false);
  Item potion(kPotion, 0, 1, 0, potionValue());
  EXPECT_TRUE(canConsume(*player, potion));
  EXPECT_TRUE(consumeItem(rules, *player, &potion));
  ASSERT_EQ(player->stats.buffs.size(), 1u);
  EXPECT_FALSE(canConsume(*player, potion));
  EXPECT_EQ(events.messages,
            (RecordingEvents::Messages{{2, "You feel the effect of " + potionDisplayName(potionValue()) + "."},
                                       {3, "You can't drink this now: a similar effect is already active"}}));
  EXPECT_FALSE(consumeItem(rules, *player, &potion));
  EXPECT_EQ(player->stats.buffs.size(), 1u);
}

// Alone, she reads when the potion she drank starts and, once its time ran out on the rules'
// clock, that it wore off.
TEST_F(PlayerRulesTest, ADrunkPotionIsToldAsItStartsAndAsItWearsOff) {
  loadTexts();
  defineItem(kPotion, 2, false);
  const uint16_t buff = potionValue();
  Item potion(kPotion, 0, 1, 0, buff);
  const std::string name = potionDisplayName(buff);
  ASSERT_TRUE(consumeItem(rules, *player, &potion));
  EXPECT_EQ(events.messages, (RecordingEvents::Messages{{2, "You feel the effect of " + name + "."}}));
  rules.startTimers();
  for (uint32_t second = 0; second <= potionDuration(buff) + 1u && player->hasBuff(buff); ++second) rules.timers().step();
  ASSERT_FALSE(player->hasBuff(buff)) << "its time never ran out";
  EXPECT_EQ(events.messages, (RecordingEvents::Messages{{2, "You feel the effect of " + name + "."},
                                                        {2, "The effect of " + name + " has worn off."}}));
}

TEST_F(PlayerRulesTest, ThePetsTaskRunsEveryTenSeconds) {
  player->setEquipment(newItem(kSeedSniffer, 0, 1, 0, 0), false, 4);
  rules.setEntities(&spawner);  // what the pet finds is thrown through the rules
  rules.startTimers();
  for (int second = 0; second < 10 * 1000; ++second) rules.timers().step();
  EXPECT_GT(spawner.thrown, 5u);
  EXPECT_LT(spawner.thrown, 45u) << "a thousand runs, not ten thousand";
  rules.setEntities(&drops);
}

TEST_F(PlayerRulesTest, PlantedWheatGrowsThroughTheRulesTasks) {
  constexpr uint16_t kSprout = 2340, kGreen = 2338, kWheat = 2337;  // planted, middle, grown
  defineBlock(kSprout, {.flags = bits({33, 34}), .transparency = 1, .variants = 3});
  defineBlock(kGreen, {.transparency = 1, .variants = 2});
  defineBlock(kWheat, {.transparency = 1});
  remakeWorld();
  floorAt(4);
  world->map().lightMap().relightAll();
  BlockEdit planting;
  makeBlockValue(planting, 10, 5, 4, kSprout, 0, MapBlock::kFront, 0);
  ASSERT_TRUE(rules.editBlock(planting, nullptr));
  ASSERT_EQ(world->plants().plantCount(), 1u);
  rules.startTimers();
  int seconds = 0;
  for (; world->plants().plantCount() > 0 && seconds < 20 * 2000; ++seconds) rules.timers().step();
  EXPECT_EQ(at(10, 5).frontId(), kWheat);
  EXPECT_EQ(seconds % 20, 0) << "plants grow only on the twenty-second task";
}

// Blocks by what breaking them asks: a pick of tier 2 (0x302), a hammer (0x001), nothing, tier
// bits alone (0x100); one that is not breakable outside creative mode; a decoration that makes
// its cell unbreakable.
constexpr uint16_t kRock = 30, kPanel = 31, kSoft = 32, kHard = 33, kLocked = 34, kSeal = 35;
constexpr uint16_t kBedrock = 84;
// Items: picks of tier 2 and tier 1, a weapon, a block item, an item of placing kind 8.
constexpr uint16_t kGoodPick = 120, kWeakPick = 121, kBlade = 122, kBrick = 123, kFrame = 124;
// Spawning items.
constexpr uint16_t kMobEgg = 913, kOtherThrown = 130, kCompanion = 131, kFirework = 1042;

void requireTool(uint16_t block, uint16_t word) {
  auto& bytes = contentTables().blockDefs[block].record.bytes;
  bytes[content::block_record::useKind] = static_cast<uint8_t>(word);
  bytes[content::block_record::useKind + 1] = static_cast<uint8_t>(word >> 8);
}

void giveTool(uint16_t item, uint16_t capabilities) {
  ToolSpec& tool = contentTables().toolSpecs.emplace_back();
  tool.bytes[content::tool_record::capabilities] = static_cast<uint8_t>(capabilities);
  tool.bytes[content::tool_record::capabilities + 1] = static_cast<uint8_t>(capabilities >> 8);
  contentTables().itemDefs[item].tool = &tool;
}

class ItemUseRulesTest : public GameTest {
 protected:
  void SetUp() override {
    GameTest::SetUp();
    contentTables().toolSpecs.reserve(8);  // the definitions point into it
    for (uint16_t id : {kRock, kPanel, kSoft, kLocked}) defineBlock(id, {.flags = bits({2, 23}), .transparency = 0});
    defineBlock(kHard, {.flags = bits({23}), .transparency = 0});
    defineBlock(kBedrock, {.flags = bits({23}), .transparency = 0});
    defineBlock(kSeal, {.flags = bits({25}), .transparency = 2});
    requireTool(kRock, 0x302);
    requireTool(kPanel, 0x001);
    requireTool(kLocked, 0x100);
    defineItem(kGoodPick, 1, false);
    defineItem(kWeakPick, 1, false);
    defineItem(kBlade, 5, false);
    defineItem(kBrick, 4, true);
    defineItem(kFrame, 8, true);
    giveTool(kGoodPick, 0x0302);
    giveTool(kWeakPick, 0x0102);
    for (uint16_t id : {kMobEgg, kOtherThrown, kFirework}) defineItem(id, 6, true);
    defineItem(kCompanion, 7, false);
    remakeWorld();
  }
  bool breaks(uint16_t block, uint16_t toolId, bool back = false) {
    MapBlock& cell = at(5, 5);
    cell.setLayer(back ? 0 : block, 0, MapBlock::kFront);
    cell.setLayer(back ? block : 0, 0, MapBlock::kBack);
    Item tool(toolId, 0, 1, 0, 0);
    return rules.canBreakBlock(player.get(), toolId == 0 ? nullptr : &tool, cell);
  }
};

TEST_F(ItemUseRulesTest, WhatBreaksWhatAndWhatThePlayerIsTold) {
  struct Case {
    const char* what;
    uint16_t block, tool;
    bool back;
    bool breaks;
    int16_t text;  // -1: nothing shown
    const char* message = nullptr;  // a console line of its own, when the language has no text for it
  };
  const Case cases[] = {
      {"pick of the tier", kRock, kGoodPick, false, true, -1},
      {"pick below the tier", kRock, kWeakPick, false, false, break_text::kToolTooWeak},
      {"weapon on rock", kRock, kBlade, false, false, -1, "You need a pickaxe to break this."},
      {"bare hand on a panel", kPanel, 0, false, false, break_text::kNeedsHammer},
      {"tier bits need a tool or a weapon", kLocked, 0, false, false, break_text::kNeedsWeaponClass},
      {"a pick meets them", kLocked, kGoodPick, false, true, -1},
      {"unbreakable outside creative", kHard, kGoodPick, false, false, -1},
      {"placing kind 8", kSoft, kFrame, false, false, -1},
      {"a block item on a back block", kSoft, kBrick, true, false, -1},
  };
  for (const Case& c : cases) {
    events.texts.clear();
    events.messages.clear();
    EXPECT_EQ(breaks(c.block, c.tool, c.back), c.breaks) << c.what;
    EXPECT_EQ(events.texts, (c.text < 0 ? RecordingEvents::Texts{} : RecordingEvents::Texts{{3, c.text}}))
        << c.what;
    EXPECT_EQ(events.messages,
              (c.message == nullptr ? RecordingEvents::Messages{} : RecordingEvents::Messages{{3, c.message}}))
        << c.what;
  }
}

TEST_F(ItemUseRulesTest, FlagsDecorationsModeAndConsoleChangeTheAnswer) {
  kel::options().lessVerboseConsole = true;
  EXPECT_FALSE(breaks(kRock, kWeakPick));
  EXPECT_EQ(events.texts.size(), 1u) << "the world's options decide, not the process's";
  events.texts.clear();
  FixedWorldOptions quiet;
  quiet.quietConsole = true;
  WorldContext context = worldContext();
  context.options = &quiet;
  world->setContext(context);
  EXPECT_FALSE(breaks(kRock, kWeakPick));
  EXPECT_TRUE(events.texts.empty()) << "a quiet console shows no tool texts";
  EXPECT_FALSE(breaks(kRock, kBlade));
  EXPECT_TRUE(events.messages.empty()) << "nor names the tool a block needs";
  player->stats.setFlag(12, true);
  EXPECT_TRUE(breaks(kPanel, 0)) << "flag 12 is the hand's hammer";
  at(5, 5).decos[0] = map_deco::make(kSeal, 0, MapBlock::kFront);
  EXPECT_FALSE(breaks(kSoft, kGoodPick)) << "an unbreakable decoration guards its cell";
  remakeWorld({.mode = 1});
  EXPECT_TRUE(breaks(kHard, kGoodPick)) << "creative breaks the unbreakable";
  EXPECT_FALSE(breaks(kBedrock, kGoodPick));
}

TEST_F(ItemUseRulesTest, SpawningItemsByKindModeAndContents) {
  struct Case {
    const char* what;
    uint16_t item;
    uint32_t word;
    bool creative, withPlayer;
    size_t entities;
    bool allowed;
    const char* message;  // null: nothing shown
  };
  const Case cases[] = {
      {"companion from a player", kCompanion, 0, false, true, 0, false, nullptr},
      {"empty firework", kFirework, 0, false, true, 0, false, "The firework is empty! Fill it with dyes!"},
      {"creative egg", kMobEgg, 0, true, true, 512, true, nullptr},
      {"creative egg over the limit", kMobEgg, 0, true, true, 513, false, "Mob limit reached."},
      {"creative anything else", kOtherThrown, 0, true, true, 0, false, nullptr},
  };
  for (const Case& c : cases) {
    events.messages.clear();
    const Item item(c.item, 0, 1, 0, c.word);
    EXPECT_EQ(useSpawningItem(c.creative, c.withPlayer ? player.get() : nullptr, &item, c.entities),
              c.allowed)
        << c.what;
    ASSERT_EQ(events.messages.size(), c.message ? 1u : 0u) << c.what;
    if (c.message) {
      EXPECT_EQ(events.messages[0].text, c.message);
    }
  }
  EXPECT_FALSE(useSpawningItem(false, nullptr, nullptr, 0));
}

}  // namespace
}  // namespace game_test
