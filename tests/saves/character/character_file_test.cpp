// The character file: its bytes built by hand, read back with its summary, and damaged files.
#include "saves/character/character_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <limits>
#include <memory>
#include <string>
#include <utility>

#include "platform/file_handle.h"
#include "saves/store/player_entry.h"
#include "tests/saves/save_bytes.h"
#include "tests/support/temp_dir.h"

namespace saves_test {
namespace {

DiskItem itemNumber(size_t n) {
  const auto v = static_cast<uint16_t>(n);
  return DiskItem{0x1000u + v, v, static_cast<uint16_t>(v % 999 + 1), 7,
                  static_cast<uint16_t>(v % 3)};
}

// Each slot holds the item numbered by its file position + 1, except the ones left empty.
CharacterRecord sampleRecord() {
  CharacterRecord r;
  for (size_t i = 0; i < 16; ++i) r.saveId[i] = static_cast<uint8_t>(0xA0 + i);
  r.name = "Hildegard";
  r.stateFlags = 0x10001;
  r.characterFlags = 0x8;
  r.lookWord = 0xDEADBEEF;
  r.difficultyId = 3;
  for (size_t i = 0; i < 10; ++i) r.firstRow[i] = itemNumber(1 + i);
  for (size_t i = 0; i < 10; ++i) r.secondRow[i] = itemNumber(11 + i);
  // Grid slot a + 3b sits at file position 3a + b of the grid block (from 21).
  for (size_t i = 0; i < 9; ++i) r.craftGrid[i % 3 * 3 + i / 3] = itemNumber(21 + i);
  for (size_t i = 0; i < 36; ++i) r.backpack[i % 6 * 6 + i / 6] = itemNumber(30 + i);
  for (size_t i = 0; i < 5; ++i) r.equipment[i] = itemNumber(66 + i);
  r.looks[2] = itemNumber(73);  // the other look slots stay empty
  r.firstSingle = itemNumber(76);
  for (size_t i = 0; i < 256; ++i) r.knowledge[i] = static_cast<uint8_t>(i);
  r.achievements[0] = 0x05;   // achievements 0 and 2
  r.achievements[13] = 0x20;  // achievement 109 would be past the table, but the bytes keep it
  r.health = 12.5f;
  r.buffs[0] = {4, 300};
  r.buffs[1] = {9, 0};  // no time left: written as an unused pair
  r.buffs[3] = {17, 60};
  return r;
}

// An item whose fields all derive from one number, so a slot out of place shows.
Le& numbered(Le& g, uint16_t n) { return g.item(n, n % 999 + 1, 0x1000 + n, 7, n % 3); }

Bytes goldenFile() {
  Le g = Le().text("RBWC").u16(0).u16(5).u32(0);
  g.entry(0x8000, 0, 0, 72, 52).entry(0x8001, 0, 0, 124, 924).entry(0x8002, 0, 0, 1048, 256);
  g.entry(0x8003, 1, 0, 1304, 32).entry(0x8004, 0, 0, 1336, 20);
  for (int i = 0; i < 16; ++i) g.u8(0xA0 + i);
  g.text("Hildegard").zeros(7).u32(30000).u32(0x10001).u32(0x8).u32(0xDEADBEEF).u32(3);
  // Inventory: 75 numbered positions, with the look slots other than the third empty
  for (uint16_t n = 1; n <= 70; ++n) numbered(g, n);
  numbered(g.empty().empty(), 73).empty().empty();
  numbered(g, 76).empty();
  for (int i = 128; i < 384; ++i) g.u8(i % 256);
  g.u8(0x05).zeros(12).u8(0x20).zeros(18);
  g.u32(std::bit_cast<uint32_t>(12.5f)).u16(4).u16(300).u32(0).u32(0).u16(17).u16(60);
  return g.bytes;
}

class CharacterFileTest : public ::testing::Test {
 protected:
  struct Loaded {
    bool ok = false;
    CharacterRecord record;
    CharacterParts parts;
  };
  Loaded load(const Bytes& bytes, CharacterRecord start = {}) const {
    dir_.write("Hildegard.dat", std::string(bytes.begin(), bytes.end()));
    Loaded loaded{false, std::move(start), {}};
    kel::FileHandle file(path(), kel::FileHandle::READ);
    loaded.ok = readCharacterFile(file, loaded.record, loaded.parts);
    return loaded;
  }
  std::string path() const { return dir_.file("Hildegard.dat"); }
  Bytes written(const CharacterRecord& record) const {
    {
      kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
      EXPECT_TRUE(writeCharacterFile(file, record));
    }
    const std::string text = dir_.read("Hildegard.dat");
    return Bytes(text.begin(), text.end());
  }
  std::unique_ptr<PlayerEntry> summary() const {
    kel::FileHandle file(path(), kel::FileHandle::READ);
    return readCharacterSummary("Hildegard.dat", file);
  }

  testsupport::TempDir dir_;
};

TEST_F(CharacterFileTest, WholeFileIsByteExactAndReadsBackWithItsSummary) {
  const Bytes golden = goldenFile();
  ASSERT_EQ(golden.size(), kCharacterFileSize);
  EXPECT_EQ(written(sampleRecord()), golden);

  CharacterRecord player;
  player.stateFlags = 0x40;  // the file's flags are added to what the player has
  Loaded loaded = load(golden, player);
  ASSERT_TRUE(loaded.ok);
  const CharacterParts& parts = loaded.parts;
  EXPECT_TRUE(parts.identity && parts.inventory && parts.knowledge && parts.achievements &&
              parts.health);
  EXPECT_EQ(loaded.record.stateFlags, 0x10041u);
  CharacterRecord expected = sampleRecord();
  expected.buffs[1] = {};  // a pair without time is not kept
  loaded.record.stateFlags = expected.stateFlags;
  EXPECT_EQ(loaded.record, expected);  // every field, the empty second single slot included

  const std::unique_ptr<PlayerEntry> entry = summary();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->displayName, "Hildegard");
  EXPECT_EQ(entry->entryId, 1);  // the low half of the state flags
  // The third look slot is worn over the equipment; the others show the equipment.
  EXPECT_EQ(entry->appearance[0], itemNumber(66));
  EXPECT_EQ(entry->appearance[2], itemNumber(73));
  EXPECT_EQ(entry->heldItem, itemNumber(1));
  ASSERT_TRUE(entry->knowledge.has_value());
  EXPECT_EQ((*entry->knowledge)[200], 200);
}

// Values no good file holds are tamed; achievements of an older revision are left as they were.
TEST_F(CharacterFileTest, UntrustedValuesAreTamed) {
  const size_t inventory = 124;
  Bytes bytes = patched(goldenFile(), inventory + 4, Le().u16(4096).bytes);  // id past the tables
  bytes = patched(bytes, inventory + 12 + 6, Le().u16(0).bytes);     // slot 1: count 0
  bytes = patched(bytes, inventory + 24 + 6, Le().u16(5000).bytes);  // slot 2: past a full stack
  bytes = patched(bytes, 12 + 3 * 12 + 2, {0});                     // 0x8003 at revision 0
  const float nan = std::numeric_limits<float>::quiet_NaN();
  CharacterRecord player;
  player.achievements[5] = 0x77;
  const Loaded loaded =
      load(patched(bytes, 1336, Le().u32(std::bit_cast<uint32_t>(nan)).bytes), player);
  ASSERT_TRUE(loaded.ok);
  EXPECT_EQ(loaded.record.firstRow[0], DiskItem{});
  EXPECT_EQ(loaded.record.firstRow[1].count, 1);
  EXPECT_EQ(loaded.record.firstRow[2].count, 999);
  EXPECT_EQ(loaded.record.health, 0.0f);
  EXPECT_FALSE(loaded.parts.achievements);
  EXPECT_EQ(loaded.record.achievements[5], 0x77);
  EXPECT_TRUE(loaded.parts.health);
}

TEST_F(CharacterFileTest, DamagedFilesAreNotTakenForGoodOnes) {
  const Bytes good = goldenFile();
  for (const Bytes& bad : {cut(good, good.size() - 1), patched(good, 0, {'X'})}) {
    EXPECT_FALSE(load(bad).ok);
    EXPECT_EQ(summary(), nullptr);
  }
}

}  // namespace
}  // namespace saves_test
