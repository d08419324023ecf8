#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "content/format/planet_blob.h"
#include "content/loader/content_database.h"
#include "content/planets/planet_def.h"
#include "content/tables/content_tables.h"
#include "tests/content/content_file_builder.h"
#include "tests/support/alert_recorder.h"

namespace {

using contenttest::ContentFileBuilder;

// A file with rows in every section. Treasure 7 has no variants and is followed directly by 9.
ContentFileBuilder richFile() {
  ContentFileBuilder b;
  auto& w = b.sections;
  b.section(content::kCountTreasures, 2);
  w.u16(7);
  for (int i = 0; i < 32; ++i) w.u8(i == 3 ? 1 : 0);  // kind 1, no variants
  w.u16(9);
  for (int i = 0; i < 32; ++i) w.u8(i == 2 ? 2 : static_cast<uint8_t>(i == 16 ? 0xAB : 0));
  w.bytes(std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 11, 12, 13, 14, 15, 16});

  b.section(content::kCountLootGroups, 1);
  w.u8(2); w.u16(7); w.u16(9);

  b.section(content::kCountLootTables, 2);
  w.u8(2); w.u8(0);
  w.f32(0.5f); w.u8(1); w.u8(2); w.u8(content::kLootGroup); w.u8(1); w.u16(0);
  w.f32(0.25f); w.u8(1); w.u8(1); w.u8(content::kLootTable); w.u8(0); w.u16(1);
  w.u8(1); w.u8(3);
  w.f32(1.0f); w.u8(1); w.u8(1); w.u8(content::kLootCategory); w.u8(0); w.u16(0x1207);

  b.section(content::kCountBlocks, 2);
  w.u16(5); w.zeros(12); w.i16(-1); w.i16(17); w.i16(-1); w.i16(-1); w.u8(3); w.zeros(3); w.u16(0);
  w.u16(6); w.zeros(12); w.i16(-1); w.i16(-1); w.i16(-1); w.i16(-1); w.zeros(4); w.u16(0xFFFF);

  b.section(content::kCountMobs, 2);
  for (uint16_t row = 0; row < 2; ++row) {
    w.zeros(100); w.u16(row); w.i16(-1); w.i16(-1); w.i16(-1); w.zeros(7);
    w.u8(1); w.zeros(4); w.u16(row == 0 ? 1 : 0xFFFF);  // a walker; loot table 1 or none
    w.u8(2); w.u8(1); w.u8(1); w.u8(2); w.u8(2);  // two parts, one animation, modes 1 and 2, kind 2
    w.zeros(2 * content::kMobPartFrameSize);
  }

  b.section(content::kCountMobGroups, 1);
  w.zeros(32); w.u32(4); w.zeros(4); w.u8(2); w.u16(1); w.u16(0);

  b.fixedSections();

  b.section(content::kCountBuffs, 1);
  w.u16(9); w.zeros(44);
  b.section(content::kCountTools, 1);
  w.u16(7); w.f32(3.0f); w.zeros(20);
  b.section(content::kCountRangeds, 1);
  w.u16(9); w.zeros(12);
  b.section(content::kCountSwingSpecs, 1);
  w.u16(7); w.zeros(68);

  PlanetDef home("Home", 1, 1);
  home.terrainBlocks.push_back({5, 2});
  PlanetDef ember("Ember", 2, 0);
  const std::vector<uint8_t> blob = content::writePlanetBlob({&home, &ember});
  b.section(content::kCountPlanets, 2);
  w.u32(static_cast<uint32_t>(blob.size()));
  w.bytes(blob);
  return b;
}

class ContentLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { fresh(); }
  void fresh() {
    resetContentDatabase();
    alerts.clear();
  }
  void TearDown() override { resetContentDatabase(); }

  bool startUp(const std::vector<uint8_t>& bytes) {
    return verifyContentChecksum(loadContentDatabaseBytes(bytes));
  }

  std::vector<std::string> alerts;
  testsupport::AlertRecorder alertBox{
      [this](const std::string& title, const std::string& text) { alerts.push_back(title + "|" + text); }};
  testsupport::ScopedAlertBox useAlertBox{engine::alertBoxSeam(), alertBox};
};

TEST_F(ContentLoaderTest, RowsLandWhereTheirIdsSay) {
  ASSERT_TRUE(startUp(richFile().scrambled())) << contentLoadError();
  EXPECT_TRUE(alerts.empty());
  const ContentTables& t = contentTables();

  ASSERT_EQ(t.itemDefs[9].variants.size(), 2u);
  EXPECT_EQ(t.itemDefs[9].variants[1].bytes[0], 11);
  EXPECT_EQ(t.itemDefs[9].record.u8(16), 0) << "the variant slot's file value is ignored";

  EXPECT_EQ(t.lootTables[0]->entries[1].table, t.lootTables[1].get()) << "a later table can be named";
  EXPECT_EQ(t.lootTables[1]->entries[0].category, 0x07) << "only the low byte is kept";

  EXPECT_EQ(t.blockDefs[6].lootTable, nullptr) << "0xFFFF means no loot";

  EXPECT_EQ(t.mobGroupDefs[0].members[0], &t.mobDefs[1]);


  ASSERT_EQ(planetDefs().size(), 2u);
}

TEST_F(ContentLoaderTest, CountsSixAndSevenAreNotRead) {
  ContentFileBuilder b = richFile();
  b.counts[content::kCountCraftsUnused] = 0xFFFF;
  b.counts[content::kCountBulletsUnused] = 3;
  ASSERT_TRUE(startUp(b.scrambled())) << contentLoadError();
  EXPECT_EQ(planetDefs().size(), 2u);
}

TEST_F(ContentLoaderTest, ChecksumFollowsEveryByteAfterTheStoredChecksumButNotTheStoredBytes) {
  const std::vector<uint8_t> plain = richFile().plain();
  const uint32_t original = ContentFileBuilder::checksumOf(plain);
  // The loader agrees on a change that keeps the file well-formed (a padding byte of a record).
  std::vector<uint8_t> changed = plain;
  changed[richFile().boundaries[0] + 2 + 31] ^= 0x40;
  ContentFileBuilder::setStoredChecksum(changed, original);
  EXPECT_NE(loadContentDatabaseBytes(ContentFileBuilder::scramble(changed)), original);

  // A wrong stored checksum: the computed one ignores it, and the alert is shown once only.
  fresh();
  std::vector<uint8_t> stored = plain;
  ContentFileBuilder::setStoredChecksum(stored, 0xDEADBEEF);
  const uint32_t computed = loadContentDatabaseBytes(ContentFileBuilder::scramble(stored));
  EXPECT_EQ(computed, original);
  EXPECT_FALSE(verifyContentChecksum(computed));
  EXPECT_FALSE(verifyContentChecksum(computed));
  EXPECT_TRUE(contentIsCompromised());
  ASSERT_EQ(alerts.size(), 1u);
  EXPECT_EQ(alerts[0], "Hacked Data Files!|Data files have been compromised. You won't be able to play.");
}

TEST_F(ContentLoaderTest, ATruncatedFileCountsAsCompromisedAndLeavesNothingHalfLoaded) {
  const ContentFileBuilder b = richFile();
  std::vector<uint8_t> shortFile = b.scrambled();
  shortFile.resize(b.boundaries[3]);
  EXPECT_FALSE(startUp(shortFile));
  EXPECT_EQ(alerts.size(), 1u);
  EXPECT_FALSE(contentTables().itemDefs[7].defined) << "nothing half-loaded stays";
}

// Rewrites one plain byte range of the rich file and keeps the checksum right, so only the
// range check can catch it.
std::vector<uint8_t> alteredRichFile(size_t section, size_t offset, std::vector<uint8_t> bytes) {
  const ContentFileBuilder b = richFile();
  std::vector<uint8_t> plain = b.plain(false);
  const size_t at = section == SIZE_MAX ? offset : b.boundaries[section] + offset;
  for (size_t i = 0; i < bytes.size(); ++i) plain[at + i] = bytes[i];
  ContentFileBuilder::setStoredChecksum(plain, ContentFileBuilder::checksumOf(plain));
  return ContentFileBuilder::scramble(plain);
}

TEST_F(ContentLoaderTest, IdsIndexesAndCountsOutsideTheirTablesCountAsCompromised) {
  struct Case {
    const char* what;
    size_t section;  // index into the builder's boundaries, or SIZE_MAX for the header
    size_t offset;
    std::vector<uint8_t> bytes;
    const char* error;
  };
  const Case cases[] = {
      {"treasure id 4096", 0, 0, {0x00, 0x10}, "item id out of range"},
      {"treasures count far beyond the file", SIZE_MAX, 0, {0xFF, 0xFF}, "section \"treasures\""},
      {"loot entry naming group 1 of 1", 2, 2 + 8, {0x01, 0x00}, "loot group index"},
      {"loot entry naming table 9 of 2", 2, 2 + 18, {0x09, 0x00}, "loot table index"},
      {"loot table reaching itself", 2, 2 + 18, {0x00, 0x00}, "reaches itself"},
      {"loot entry with minimum above maximum", 2, 2 + 4, {5, 1}, "minimum count"},
      {"block sound 263", 3, 2 + 12, {0x07, 0x01}, "sound index"},
      {"mob id not its row", 4, 100, {0x01, 0x00}, "not its row"},
      {"mob count 901", SIZE_MAX, 8, {0x85, 0x03}, "more rows"},
      {"mob group naming mob 2 of 2", 5, 41, {0x02, 0x00}, "undefined mob"},
      {"tool on an item that has a buffs record", 9, 0, {0x09, 0x00}, "also has a buffs record"},
      {"blob size beyond the file", 12, 0, {0xFF, 0xFF, 0xFF, 0x7F}, "larger than the file"},
      {"planet count beyond the blob", SIZE_MAX, 24, {0x03, 0x00}, "shorter than its planet"},
  };
  for (const Case& c : cases) {
    fresh();
    EXPECT_FALSE(startUp(alteredRichFile(c.section, c.offset, c.bytes))) << c.what;
    EXPECT_TRUE(contentIsCompromised()) << c.what;
    EXPECT_NE(contentLoadError().find(c.error), std::string::npos) << c.what << ": " << contentLoadError();
    EXPECT_EQ(contentTables().blockDefs[5].lootTable, nullptr) << c.what;
  }
}

}  // namespace
