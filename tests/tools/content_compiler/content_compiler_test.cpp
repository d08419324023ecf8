// The content compiler and the loader together: the test content set goes through both and every
// table's rows land where they belong; broken sources are refused with their file and row.

#include <filesystem>
#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "tests/tools/content_compiler/source_copy_test.h"

namespace {

using compiler_test::basicSet;

class CompiledContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentDatabase();
    setContentAlertHandler([this](const std::string& title, const std::string&) { alerts.push_back(title); });
    const auto result = content_compiler::compileContent(basicSet().string());
    ASSERT_TRUE(result.ok) << result.error;
    bytes = result.bytes;
    ASSERT_TRUE(verifyContentChecksum(loadContentDatabaseBytes(bytes))) << contentLoadError();
  }
  void TearDown() override { resetContentDatabase(); }

  std::vector<uint8_t> bytes;
  std::vector<std::string> alerts;
};

TEST_F(CompiledContentTest, IntactTreasuresAndTheirDetailRecordsLandUnderTheirIds) {
  EXPECT_TRUE(alerts.empty());
  EXPECT_EQ(storedContentChecksum(), computedContentChecksum());
  const auto& items = contentTables().itemDefs;
  const ItemDef& plain = items[0];
  EXPECT_TRUE(plain.defined);
  EXPECT_EQ(plain.record.heldOffsetX(), -2);
  ASSERT_EQ(plain.variants.size(), 2u);
  EXPECT_EQ(plain.variants[1].bytes[5], 12);
  EXPECT_EQ(items[10].record.u16(10), 0x0809) << "raw bytes land at their offsets";
  EXPECT_EQ(items[4095].record.kind(), 3);
  EXPECT_FALSE(items[1].defined);

  ASSERT_NE(items[10].tool, nullptr);
  EXPECT_FLOAT_EQ(items[10].tool->power(), 2.5f);
  EXPECT_EQ(items[10].swingSpec, nullptr);
  ASSERT_NE(items[11].swingSpec, nullptr);
  EXPECT_FLOAT_EQ(items[11].swingSpec->speedFactor(), 0.8f);
  ASSERT_NE(items[12].rangedSpec, nullptr);
  EXPECT_EQ(items[12].rangedSpec->bulletRow(), 1);
  EXPECT_EQ(items[13].rangedSpec, nullptr);
  ASSERT_NE(items[20].buff, nullptr);
  const BuffSpec& buff = *items[20].buff;
  EXPECT_FLOAT_EQ(buffStatBase(buff, 0, 1), -0.1f);
  EXPECT_FLOAT_EQ(buffStatBase(buff, 6, 0), 1.5f);
  EXPECT_EQ(buff.lightColor(), 2184);
}

TEST_F(CompiledContentTest, LootBlocksMobsAndGroupsKeepTheirReferences) {
  const ContentTables& t = contentTables();
  ASSERT_EQ(t.lootGroups.size(), 2u);
  EXPECT_EQ(t.lootGroups[0]->items, (std::vector<uint16_t>{0, 10, 11}));
  ASSERT_EQ(t.lootTables.size(), 3u);
  EXPECT_FLOAT_EQ(t.lootTables[0]->entries[0].chance, 0.5f);
  EXPECT_EQ(t.lootTables[0]->entries[1].group, t.lootGroups[1].get());
  EXPECT_EQ(t.lootTables[1]->mode, 1);
  EXPECT_EQ(t.lootTables[1]->entries[0].table, t.lootTables[2].get());
  EXPECT_EQ(t.lootTables[1]->entries[1].category, 7);

  const BlockRecord& stone = t.blockDefs[1].record;
  EXPECT_TRUE(stone.hasFlag(23));
  EXPECT_FALSE(stone.hasFlag(22));
  EXPECT_EQ(stone.sound(2), 262);
  EXPECT_EQ(t.blockDefs[1].lootTable, t.lootTables[0].get());
  EXPECT_EQ(t.blockDefs[2].record.sound(3), -1) << "absent sounds are none";
  EXPECT_EQ(t.blockDefs[2].lootTable, nullptr);
  EXPECT_EQ(t.blockDefs[4095].lootTable, t.lootTables[2].get());

  EXPECT_EQ(t.mobCount, 3u);
  for (uint16_t row = 0; row < 3; ++row) EXPECT_EQ(t.mobDefs[row].mobId(), row);
  EXPECT_FLOAT_EQ(t.mobDefs[0].f32(8), 30.0f);
  EXPECT_EQ(t.mobLootTables[0], t.lootTables[1].get());
  EXPECT_EQ(t.mobLootTables[1], nullptr);
  const MobPartLayout& layout = t.mobPartLayouts[0];
  EXPECT_EQ(layout.partModes, (std::vector<uint8_t>{1, 2, 2}));
  ASSERT_EQ(layout.animations.size(), 2u);
  EXPECT_EQ(layout.animations[1].frames[2][1], 6);
  EXPECT_EQ(t.mobGroupCount, 2u);
  EXPECT_EQ(t.mobGroupDefs[0].members, (std::vector<const MobDef*>{&t.mobDefs[0], &t.mobDefs[2]}));
  EXPECT_EQ(t.mobGroupDefs[1].record.planetId(), 2048u);
}

TEST_F(CompiledContentTest, RecipesProjectilesAndPlanetsFillTheirRows) {
  const ContentTables& t = contentTables();
  EXPECT_EQ(t.craftDefs[0].result(), 10);
  EXPECT_EQ(t.craftDefs[0].ingredient(1), 4095);
  EXPECT_EQ(t.craftDefs[0].ingredient(2), 0xFFFF) << "cells not given are empty";
  EXPECT_EQ(t.craftDefs[1245].ingredient(0), 0xFFFF);
  EXPECT_FLOAT_EQ(t.bulletDefs[0].lifetime(), 2.5f);
  EXPECT_EQ(t.bulletDefs[0].thrownItem(), 0xFFFF);
  EXPECT_EQ(t.bulletDefs[1].thrownItem(), 12);
  for (uint32_t row = 0; row < 147; ++row) ASSERT_EQ(t.bulletDefs[row].row(), row);

  ASSERT_EQ(planetDefs().size(), 12u);
  for (size_t i = 0; i < 12; ++i) EXPECT_EQ(planetDefs()[i]->id, 1u << i);
  const PlanetDef& home = *planetDefs()[0];
  EXPECT_EQ(home.name, "Home");
  EXPECT_EQ(home.parameters.surfaceAmplitude, 20u);
  EXPECT_EQ(home.veinRules[0].placements[0].filter, 0x100000000ull);
  EXPECT_EQ(home.caveDressings[0].decorationGroups[0].patterns[1].kind, 2);
  EXPECT_EQ(home.biomeRules[0].mask, 2147483680u);
  EXPECT_EQ(home.surfacePatternRules[0].groups[0].patterns[0].mirror, 1);
  EXPECT_EQ(planetDefs()[5]->parameters.surfaceAmplitude, 14u) << "parameters not given keep their defaults";
  EXPECT_TRUE(planetDefs()[11]->veinRules.empty());
}

TEST(ContentCompilerFile, WritesTheFileThatLoads) {
  testsupport::TempDir dir;
  std::string error;
  ASSERT_TRUE(content_compiler::compileContentFile(basicSet().string(), dir.file("data.dat"), error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("data.dat.part")));
  resetContentDatabase();
  EXPECT_TRUE(verifyContentChecksum(loadContentDatabase(dir.file("data.dat")))) << contentLoadError();
  resetContentDatabase();
  EXPECT_FALSE(content_compiler::compileContentFile(basicSet().string(), dir.file("no/such/folder/data.dat"), error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
