#include <filesystem>
#include <string>

#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "tests/support/alert_recorder.h"
#include "tests/tools/content_compiler/source_copy_test.h"

namespace {

using compiler_test::basicSet;

class CompiledContentTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetContentDatabase();
    const auto result = content_compiler::compileContent(basicSet().string());
    ASSERT_TRUE(result.ok) << result.error;
    bytes = result.bytes;
    ASSERT_TRUE(verifyContentChecksum(loadContentDatabaseBytes(bytes))) << contentLoadError();
  }
  void TearDown() override { resetContentDatabase(); }

  std::vector<uint8_t> bytes;
  std::vector<std::string> alerts;
  testsupport::AlertRecorder alertBox{[this](const std::string& title, const std::string&) { alerts.push_back(title); }};
  testsupport::ScopedAlertBox useAlertBox{engine::alertBoxSeam(), alertBox};
};

TEST_F(CompiledContentTest, EveryTableLandsUnderItsIdsWithItsReferences) {
  EXPECT_TRUE(alerts.empty());
  const ContentTables& t = contentTables();
  EXPECT_EQ(t.itemDefs[0].variants[1].bytes[5], 12);
  EXPECT_EQ(t.itemDefs[10].record.u16(10), 0x0809) << "raw bytes land at their offsets";
  ASSERT_NE(t.itemDefs[12].rangedSpec, nullptr);
  EXPECT_EQ(t.itemDefs[12].rangedSpec->bulletRow(), 1);
  ASSERT_NE(t.itemDefs[20].buff, nullptr);
  EXPECT_FLOAT_EQ(buffStatBase(*t.itemDefs[20].buff, 0, 1), -0.1f);

  EXPECT_EQ(t.lootTables[1]->entries[0].table, t.lootTables[2].get());
  EXPECT_EQ(t.blockDefs[2].record.sound(3), -1) << "absent sounds are none";
  EXPECT_EQ(t.blockDefs[4095].lootTable, t.lootTables[2].get());
  EXPECT_EQ(t.mobLootTables[0], t.lootTables[1].get());
  EXPECT_EQ(t.mobGroupDefs[0].members, (std::vector<const MobDef*>{&t.mobDefs[0], &t.mobDefs[2]}));

  EXPECT_EQ(t.craftDefs[0].ingredient(2), 0xFFFF) << "cells not given are empty";
  EXPECT_EQ(t.bulletDefs[1].thrownItem(), 12);
  ASSERT_EQ(planetDefs().size(), 12u);
  EXPECT_EQ(planetDefs()[0]->caveDressings[0].decorationGroups[0].patterns[1].kind, 2);
  EXPECT_EQ(planetDefs()[5]->parameters.surfaceAmplitude, 14u) << "parameters not given keep their defaults";
}

TEST(ContentCompilerFile, WritesTheFileThatLoads) {
  testsupport::TempDir dir;
  std::string error;
  ASSERT_TRUE(content_compiler::compileContentFile(basicSet().string(), dir.file("data.dat"), error)) << error;
  EXPECT_FALSE(std::filesystem::exists(dir.file("data.dat.part")));
  EXPECT_FALSE(content_compiler::compileContentFile(basicSet().string(), dir.file("no/such/folder/data.dat"), error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

}  // namespace
