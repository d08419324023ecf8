#include <gtest/gtest.h>

#include "content/tables/content_sound_definitions.h"
#include "content/tables/content_tables.h"

namespace {

class ContentSoundDefinitionsTest : public ::testing::Test {
 protected:
  void SetUp() override { resetContentTables(); }
  void TearDown() override { resetContentTables(); }

  template <typename Record>
  static void putSound(Record& record, size_t offset, int slot, int16_t value) {
    const auto bits = static_cast<uint16_t>(value);
    record.bytes[offset + 2 * static_cast<size_t>(slot)] = static_cast<uint8_t>(bits & 0xFF);
    record.bytes[offset + 2 * static_cast<size_t>(slot) + 1] = static_cast<uint8_t>(bits >> 8);
  }
};

TEST_F(ContentSoundDefinitionsTest, ReadsEachDefinitionsSlotsAndNothingOutsideTheTables) {
  ContentTables& tables = contentTables();
  putSound(tables.blockDefs[12].record, content::block_record::sounds, 2, 104);
  putSound(tables.blockDefs[12].record, content::block_record::sounds, 3, -1);
  putSound(tables.mobDefs[5], content::mob_record::sounds, 1, 21);
  putSound(tables.bulletDefs[3], content::bullet_record::sounds, 0, 235);
  const ContentSoundDefinitions& defs = contentSoundDefinitions();
  EXPECT_EQ(defs.blockSound(12, 2), 104);
  EXPECT_EQ(defs.blockSound(12, 3), -1);
  EXPECT_EQ(defs.mobSound(5, 1), 21);
  EXPECT_EQ(defs.bulletSound(3, 0), 235);
  // Ids from a damaged definition or a peer never read past a table.
  EXPECT_EQ(defs.blockSound(4096, 0), -1);
  EXPECT_EQ(defs.mobSound(static_cast<uint32_t>(tables.mobDefs.size()), 0), -1);
  EXPECT_EQ(defs.bulletSound(0xFFFFFFFF, 0), -1);
  EXPECT_EQ(defs.blockSound(12, 4), -1);
}

}  // namespace
