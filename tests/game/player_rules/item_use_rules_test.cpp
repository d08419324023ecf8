#include "game/rules/item_use_rules.h"
#include "platform/settings/settings.h"
#include "tests/game/game_fixture.h"

namespace game_test {
namespace {

// Blocks by what breaking them asks: a pick of tier 2 (0x302), a hammer (0x001), nothing, tier
// bits alone (0x100); one that is not breakable outside creative mode; a decoration that makes
// its cell unbreakable.
constexpr uint16_t kRock = 30, kPanel = 31, kSoft = 32, kHard = 33, kLocked = 34, kSeal = 35;
constexpr uint16_t kBedrock = 84;
// Items: picks of tier 2 and tier 1, a weapon, a block item, an item of placing kind 8.
constexpr uint16_t kGoodPick = 120, kWeakPick = 121, kBlade = 122, kBrick = 123, kFrame = 124;
// Spawning items.
constexpr uint16_t kFlare = 720, kMobEgg = 913, kOtherThrown = 130, kCompanion = 131, kFirework = 1042;

void requireTool(uint16_t block, uint16_t word) {
  auto& bytes = contentTables().blockDefs[block].record.bytes;
  bytes[content::block_record::useKind] = static_cast<uint8_t>(word);
  bytes[content::block_record::useKind + 1] = static_cast<uint8_t>(word >> 8);
}

void giveTool(uint16_t item, uint16_t capabilities) {
  ToolSpec& spec = contentTables().toolSpecs.emplace_back();
  spec.bytes[content::tool_record::capabilities] = static_cast<uint8_t>(capabilities);
  spec.bytes[content::tool_record::capabilities + 1] = static_cast<uint8_t>(capabilities >> 8);
  contentTables().itemDefs[item].tool = &spec;
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
    for (uint16_t id : {kFlare, kMobEgg, kOtherThrown, kFirework}) defineItem(id, 6, true);
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
  };
  const Case cases[] = {
      {"pick of the tier", kRock, kGoodPick, false, true, -1},
      {"pick below the tier", kRock, kWeakPick, false, false, break_text::kToolTooWeak},
      {"bare hand on rock", kRock, 0, false, false, -1},
      {"weapon on rock", kRock, kBlade, false, false, -1},
      {"bare hand on a panel", kPanel, 0, false, false, break_text::kNeedsHammer},
      {"anything on soft ground", kSoft, kBlade, false, true, -1},
      {"tier bits need a tool or a weapon", kLocked, 0, false, false, break_text::kNeedsWeaponClass},
      {"a weapon meets bare tier bits", kLocked, kBlade, false, false, break_text::kToolTooWeak},
      {"a pick meets them", kLocked, kGoodPick, false, true, -1},
      {"unbreakable outside creative", kHard, kGoodPick, false, false, -1},
      {"placing kind 8", kSoft, kFrame, false, false, -1},
      {"a block item on a front block", kSoft, kBrick, false, true, -1},
      {"a block item on a back block", kSoft, kBrick, true, false, -1},
      {"bare hand on a back block", kSoft, 0, true, true, -1},
  };
  for (const Case& c : cases) {
    events.texts.clear();
    EXPECT_EQ(breaks(c.block, c.tool, c.back), c.breaks) << c.what;
    EXPECT_EQ(events.texts, (c.text < 0 ? RecordingEvents::Texts{} : RecordingEvents::Texts{{3, c.text}}))
        << c.what;
  }
}

TEST_F(ItemUseRulesTest, FlagsDecorationsModeAndConsoleChangeTheAnswer) {
  kel::options().lessVerboseConsole = true;
  EXPECT_FALSE(breaks(kRock, kWeakPick));
  EXPECT_TRUE(events.texts.empty()) << "a quiet console shows no tool texts";
  player->stats.setFlag(12, true);
  EXPECT_TRUE(breaks(kPanel, 0)) << "flag 12 is the hand's hammer";
  at(5, 5).decos[0] = map_deco::make(kSeal, 0, MapBlock::kFront);
  EXPECT_FALSE(breaks(kSoft, kGoodPick)) << "an unbreakable decoration guards its cell";
  remakeWorld({.mode = 1});
  EXPECT_TRUE(breaks(kHard, kGoodPick)) << "creative breaks the unbreakable";
  EXPECT_FALSE(breaks(kBedrock, kGoodPick));
}

TEST_F(ItemUseRulesTest, AModifierLendsAToolOneMoreCapability) {
  struct Case {
    uint8_t modifier;
    uint16_t added;
  };
  for (const Case& c : {Case{0, 0}, Case{8, 1}, Case{9, 2}, Case{7, 4}, Case{3, 0}}) {
    EXPECT_EQ(toolCapabilities(Item(kWeakPick, 0, 1, 0, c.modifier)), 0x0102 | c.added) << int(c.modifier);
  }
  EXPECT_EQ(toolCapabilities(Item(kBlade, 0, 1, 0, 8)), 0) << "only tools have capabilities";
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
      {"thrown item", kOtherThrown, 0, false, true, 0, true, nullptr},
      {"companion from a player", kCompanion, 0, false, true, 0, false, nullptr},
      {"companion from a dispenser", kCompanion, 0, false, false, 0, true, nullptr},
      {"a block item", kBrick, 0, false, true, 0, false, nullptr},
      {"empty firework", kFirework, 0, false, true, 0, false, "The firework is empty! Fill it with dyes!"},
      {"filled firework", kFirework, 0x1234, false, true, 0, true, nullptr},
      {"creative flare", kFlare, 0, true, true, 0, true, nullptr},
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
