// Tooltip texts: one item of each kind, shaped in code, with the interface texts of the
// language file that the lines name.

#include "view/inventory/item_tooltip_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/format/record_layout.h"
#include "content/items/item.h"
#include "content/potions/potion_table.h"
#include "content/tables/content_tables.h"
#include "content/texts/language_texts.h"
#include "tests/support/language_texts_reset.h"

namespace {

template <class Record>
void putF32(Record& record, size_t offset, float value) {
  std::memcpy(&record.bytes[offset], &value, sizeof value);
}

class TooltipTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentTables();
    resetLanguageTexts();
    std::vector<std::string> strings(TEXT_COUNT, "");
    const std::pair<int, const char*> texts[] = {
        {255, "tool"},   {256, "weapon"},  {257, "ranged"}, {258, "clothing"}, {259, "armour"},
        {260, "consumable"}, {262, "toy"}, {263, "ammunition"}, {264, "block"}, {269, "fuel"},
        {271, "normal"}, {275, "medium"}};
    for (const auto& [id, value] : texts) strings[id] = value;
    std::string json = "{\"strings\": [";
    for (size_t i = 0; i < strings.size(); ++i) json += (i ? ",\"" : "\"") + strings[i] + "\"";
    ASSERT_TRUE(languageTexts().loadText(json + "]}"));
    auto& tables = contentTables();
    tables.toolSpecs.reserve(4);
    tables.buffSpecs.reserve(4);
    tables.rangedSpecs.reserve(4);
  }
  void TearDown() override {
    resetContentTables();
    resetLanguageTexts();
  }

  static ItemDef& define(uint16_t id, uint8_t kind) {
    ItemDef& def = contentTables().itemDefs[id];
    def.record.bytes[content::item_record::kind] = kind;
    def.defined = true;
    return def;
  }
  static ToolSpec& tool(ItemDef& def) {
    ToolSpec& spec = contentTables().toolSpecs.emplace_back();
    def.tool = &spec;
    return spec;
  }
  static RangedSpec& ranged(ItemDef& def) {
    RangedSpec& spec = contentTables().rangedSpecs.emplace_back();
    def.rangedSpec = &spec;
    return spec;
  }
  static std::string tooltipOf(const Item& item, std::string name) {
    std::string out;
    itemTooltipText(out, item, name);
    EXPECT_TRUE(name.empty());
    return out;
  }
};

TEST_F(TooltipTextTest, AToolShowsItsCapabilitiesSpeedReachAndDurability) {
  ItemDef& pick = define(300, 1);
  pick.record.bytes[content::item_record::reach] = 4;
  ToolSpec& spec = tool(pick);
  putF32(spec, content::tool_record::power, 1.5f);
  spec.bytes[content::tool_record::capabilities] = 2 | 8;
  EXPECT_EQ(tooltipOf(Item(300, 0, 1, 120, 0), "Iron Pick"),
            "Iron Pick (^btool^s)\n^0\u0401\u0413^s1.50  ^0\x0C^s4  ^0\x0B^s120");
  // Without capabilities the icon string is empty; a swift tool is a quarter faster.
  spec.bytes[content::tool_record::capabilities] = 0;
  EXPECT_EQ(tooltipOf(Item(300, 0, 1, 7, 5), "Iron Pick"),
            "Iron Pick (^btool^s)\n^0^s1.88  ^0\x0C^s4  ^0\x0B^s7");
}

TEST_F(TooltipTextTest, AWeaponShowsItsDamageTypeCriticalChanceAndBonus) {
  ItemDef& sword = define(301, 5);
  sword.record.bytes[content::item_record::reach] = 2;
  sword.record.bytes[content::item_record::critical] = 5;
  ToolSpec& spec = tool(sword);
  spec.bytes[content::tool_record::damageType] = 2;
  putF32(spec, 8, 0.5f);  // the life-steal bonus
  EXPECT_EQ(tooltipOf(Item(301, 0, 1, 80, 0), "Sword"),
            "Sword (^2weapon^s)\n^0\x11^s1.00  ^0\x0C^s2  ^0\x0B^s80\n^0\u0417^s 5%   ^s0.50^0\u0402");
  // A keen blade adds ten points of critical chance; no bonus, no bonus line.
  putF32(spec, 8, 0.0f);
  EXPECT_EQ(tooltipOf(Item(301, 0, 1, 80, 8), "Sword"),
            "Sword (^2weapon^s)\n^0\x11^s1.00  ^0\x0C^s2  ^0\x0B^s80\n^0\u0417^s15%");
}

TEST_F(TooltipTextTest, ACriticalChanceOfTwentyNineHundredthsShowsAsTwentyNinePercent) {
  // 0.19 and a keen blade's 0.10 add up to 0.2899999 in single precision: it shows rounded, 29%.
  ItemDef& sword = define(301, 5);
  sword.record.bytes[content::item_record::reach] = 2;
  sword.record.bytes[content::item_record::critical] = 19;
  tool(sword).bytes[content::tool_record::damageType] = 2;
  EXPECT_EQ(tooltipOf(Item(301, 0, 1, 80, 8), "Sword"),
            "Sword (^2weapon^s)\n^0\x11^s1.00  ^0\x0C^s2  ^0\x0B^s80\n^0\u0417^s29%");
}

TEST_F(TooltipTextTest, AWearableShowsItsStatsAndNothingWhenTheyAreZero) {
  ItemDef& helmet = define(302, 10);
  BuffSpec& spec = contentTables().buffSpecs.emplace_back();
  helmet.buff = &spec;
  EXPECT_EQ(tooltipOf(Item(302, 0, 1, 0, 0), "Helmet"), "Helmet (^marmour^s)");
  putF32(spec, content::buff_record::stat6, 2.0f);
  putF32(spec, content::buff_record::stat7, 0.15f);
  spec.bytes[content::buff_record::armor] = 53;  // 0.53 x 100 is 52.99...: it shows as 53
  spec.bytes[content::buff_record::armor + 2] = 5;
  spec.bytes[content::buff_record::resistance + 1] = 30;
  EXPECT_EQ(tooltipOf(Item(302, 0, 1, 0, 0), "Helmet"),
            "Helmet (^marmour^s)\n^s+2^0\x0E\n^s+15%^0\x16\n^0\x13^s53%  0%  5%  0%\n^0\x1A^s30% ");
  helmet.buff = nullptr;
  EXPECT_EQ(tooltipOf(Item(302, 0, 1, 0, 0), "Helmet"), "Helmet (^mclothing^s)");
}

TEST_F(TooltipTextTest, APotionShowsItsNameDurationLevelAndDescription) {
  define(FIRST_POTION_ITEM, 2);
  const PotionDef& dwarves = potionDefs()[1];
  ASSERT_EQ(dwarves.durationClass, 1);
  // Code 33, bottle column 1 (60 s in class 1), level 6, strength 1.
  const uint32_t word = 33 * 64 + (6 << 2) + 1;
  EXPECT_EQ(tooltipOf(Item(FIRST_POTION_ITEM, 0, 1, 0, word), "Potion"),
            "Potion of Dwarves (^3consumable^s)\n^0\u0412^s1:00 (medium)  ^0\r^s6 (normal)\n"
            "Makes you tiny");
}

TEST_F(TooltipTextTest, RangedItemsShowTheirSpeedOrTheirProjectileOrTheirToy) {
  ItemDef& bow = define(303, 6);
  RangedSpec& bowSpec = ranged(bow);
  bowSpec.bytes[content::ranged_record::needsAmmunition] = 1;
  putF32(bowSpec, content::ranged_record::speedFactor, 1.5f);
  EXPECT_EQ(tooltipOf(Item(303, 0, 1, 0, 0), "Bow"), "Bow (^2weapon^s)\n^0\x0C^s1.50");

  // A ball thrown as itself is a toy.
  ItemDef& ball = define(979, 6);
  ranged(ball).bytes[content::ranged_record::bulletRow] = 5;
  contentTables().bulletDefs[5].bytes[content::bullet_record::thrownItem] = 979 & 0xFF;
  contentTables().bulletDefs[5].bytes[content::bullet_record::thrownItem + 1] = 979 >> 8;
  EXPECT_EQ(tooltipOf(Item(979, 0, 1, 0, 0), "Ball"), "Ball (^btoy^s)");

  // Ammunition names its projectile's damage.
  ItemDef& arrow = define(304, 7);
  ranged(arrow).bytes[content::ranged_record::bulletRow] = 6;
  BulletDef& shot = contentTables().bulletDefs[6];
  shot.bytes[content::bullet_record::thrownItem] = shot.bytes[content::bullet_record::thrownItem + 1] = 0xFF;
  putF32(shot, content::bullet_record::mobDamage, 3.0f);
  shot.bytes[content::bullet_record::damageType] = 1;
  EXPECT_EQ(tooltipOf(Item(304, 0, 1, 0, 0), "Arrow"), "Arrow (^2ammunition^s)\n^0\x10^s3.00");
}

TEST_F(TooltipTextTest, AmmunitionThatHurtsNothingShowsNoBareDamageNumber) {
  ItemDef& bobber = define(305, 7);
  ranged(bobber).bytes[content::ranged_record::bulletRow] = 7;
  BulletDef& cast = contentTables().bulletDefs[7];
  cast.bytes[content::bullet_record::thrownItem] = cast.bytes[content::bullet_record::thrownItem + 1] = 0xFF;
  EXPECT_EQ(tooltipOf(Item(305, 0, 1, 0, 0), "Cork Bobber"), "Cork Bobber (^2ammunition^s)");
}

TEST_F(TooltipTextTest, ASpawnEggNamesTheMobItHatchesNotAThrowsReach) {
  ASSERT_TRUE(languageTexts().loadText("{\"mobs\": [\"Slime\", \"Bat\", \"Cow\"]}"));
  ItemDef& egg = define(913, 6);
  ranged(egg).bytes[content::ranged_record::bulletRow] = 16;
  EXPECT_EQ(tooltipOf(Item(913, 0, 1, 0, 2), "Terra Spawn Egg"), "Cow (^bspawn egg^s)\nTerra Spawn Egg");
  EXPECT_EQ(tooltipOf(Item(913, 0, 1, 0, 0x00070001), "Terra Spawn Egg"), "Bat (^bspawn egg^s)\nTerra Spawn Egg")
      << "the low 16 bits of the word name the mob";
  EXPECT_EQ(tooltipOf(Item(913, 0, 1, 0, 899), "Terra Spawn Egg"), "Terra Spawn Egg (^bspawn egg^s)")
      << "a mob without a name leaves the egg's own";
}

TEST_F(TooltipTextTest, ATrinketWithoutAProjectileShowsItsNameNotAnEmptyPanel) {
  define(305, 7);
  EXPECT_EQ(tooltipOf(Item(305, 0, 1, 0, 0), "Lucky Charm"), "Lucky Charm");
}

TEST_F(TooltipTextTest, SeedsAndOtherItemsShowTheirCategoryAndValue) {
  define(41, 4);
  EXPECT_EQ(tooltipOf(Item(41, 0, 1, 0, 0), "Seed"), "Mysterious Seed (^yseed^s)");
  define(64, 4);
  EXPECT_EQ(tooltipOf(Item(64, 0, 1, 0, 0), "Coal"), "Coal (^yblock^s)\n^0\x14^s30 fuel");
  ItemDef& dust = define(306, 4);
  dust.record.bytes[content::item_record::subKind] = 9;
  EXPECT_EQ(tooltipOf(Item(306, 0, 1, 0, 0), "Dust"), "Dust (^oreagent^s)");
  EXPECT_EQ(itemTableValue(1343), 500);
  EXPECT_EQ(itemTableValue(65), std::nullopt);
}

}  // namespace
