// The character file: the whole 1356 bytes built by hand from the format, round trips, the
// summary the character list shows, and damaged files.
#include "saves/character/character_file.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/file_handle.h"
#include "saves/store/player_entry.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<uint8_t>;

struct Golden {
  Bytes bytes;
  void u8(uint8_t v) { bytes.push_back(v); }
  void u16(uint16_t v) { u8(v & 0xFF), u8(v >> 8); }
  void u32(uint32_t v) { u16(v & 0xFFFF), u16(v >> 16); }
  void entry(uint16_t id, uint8_t revision, uint32_t offset, uint32_t size) {
    u16(id), u8(revision), u8(0), u32(offset), u32(size);
  }
  // An item whose fields all derive from one number, so a slot out of place shows.
  void item(uint16_t n) { u32(0x1000 + n), u16(n), u16(n % 999 + 1), u16(7), u16(n % 3); }
  void empty() { u32(0), u16(0xFFFF), u16(0), u16(0), u16(0); }
};

DiskItem itemNumber(uint16_t n) {
  return DiskItem{0x1000u + n, n, static_cast<uint16_t>(n % 999 + 1), 7,
                  static_cast<uint16_t>(n % 3)};
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
  for (size_t i = 0; i < 10; ++i) r.firstRow[i] = itemNumber(static_cast<uint16_t>(1 + i));
  for (size_t i = 0; i < 10; ++i) r.secondRow[i] = itemNumber(static_cast<uint16_t>(11 + i));
  // Grid slot a + 3b sits at file position 3a + b of the grid block (from 21).
  for (size_t a = 0; a < 3; ++a)
    for (size_t b = 0; b < 3; ++b)
      r.craftGrid[a + 3 * b] = itemNumber(static_cast<uint16_t>(21 + 3 * a + b));
  for (size_t a = 0; a < 6; ++a)
    for (size_t b = 0; b < 6; ++b)
      r.backpack[a + 6 * b] = itemNumber(static_cast<uint16_t>(30 + 6 * a + b));
  for (size_t i = 0; i < 5; ++i) r.equipment[i] = itemNumber(static_cast<uint16_t>(66 + i));
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

Bytes goldenFile() {
  Golden g;
  for (char c : std::string("RBWC")) g.u8(static_cast<uint8_t>(c));
  g.u16(0), g.u16(5), g.u32(0);
  g.entry(0x8000, 0, 72, 52);
  g.entry(0x8001, 0, 124, 924);
  g.entry(0x8002, 0, 1048, 256);
  g.entry(0x8003, 1, 1304, 32);
  g.entry(0x8004, 0, 1336, 20);
  // Identity
  for (int i = 0; i < 16; ++i) g.u8(static_cast<uint8_t>(0xA0 + i));
  for (char c : std::string("Hildegard")) g.u8(static_cast<uint8_t>(c));
  for (int i = 9; i < 16; ++i) g.u8(0);
  g.u32(30000), g.u32(0x10001), g.u32(0x8), g.u32(0xDEADBEEF), g.u32(3);
  // Inventory: 75 numbered positions, with the look slots other than the third empty
  for (uint16_t n = 1; n <= 70; ++n) g.item(n);
  g.empty(), g.empty(), g.item(73), g.empty(), g.empty();
  g.item(76), g.empty();
  // Knowledge, second half first
  for (int i = 128; i < 256; ++i) g.u8(static_cast<uint8_t>(i));
  for (int i = 0; i < 128; ++i) g.u8(static_cast<uint8_t>(i));
  // Achievements
  for (int i = 0; i < 32; ++i) g.u8(i == 0 ? 0x05 : i == 13 ? 0x20 : 0);
  // Health and buffs
  g.u32(std::bit_cast<uint32_t>(12.5f));
  g.u16(4), g.u16(300), g.u32(0), g.u32(0), g.u16(17), g.u16(60);
  return g.bytes;
}

class CharacterFileTest : public ::testing::Test {
 protected:
  std::string path() const { return dir_.file("Hildegard.dat"); }
  Bytes fileBytes() const {
    const std::string text = dir_.read("Hildegard.dat");
    return Bytes(text.begin(), text.end());
  }
  void setFileBytes(const Bytes& bytes) const {
    dir_.write("Hildegard.dat", std::string(bytes.begin(), bytes.end()));
  }
  bool write(const CharacterRecord& record) const {
    kel::FileHandle file(path(), kel::FileHandle::READ_WRITE_NEW);
    return writeCharacterFile(file, record);
  }
  bool read(CharacterRecord& record, CharacterParts& parts) const {
    kel::FileHandle file(path(), kel::FileHandle::READ);
    return readCharacterFile(file, record, parts);
  }
  std::unique_ptr<PlayerEntry> summary() const {
    kel::FileHandle file(path(), kel::FileHandle::READ);
    return readCharacterSummary("Hildegard.dat", file);
  }

  testsupport::TempDir dir_;
};

TEST_F(CharacterFileTest, WholeFileIsByteExact) {
  ASSERT_TRUE(write(sampleRecord()));
  const Bytes golden = goldenFile();
  ASSERT_EQ(golden.size(), kCharacterFileSize);
  EXPECT_EQ(fileBytes(), golden);
}

TEST_F(CharacterFileTest, ReadsBackWhatWasWritten) {
  CharacterRecord written = sampleRecord();
  written.buffs[1] = {};  // a pair without time is not kept
  setFileBytes(goldenFile());
  CharacterRecord loaded;
  loaded.stateFlags = 0x40;  // the file's flags are added to what the player has
  CharacterParts parts;
  ASSERT_TRUE(read(loaded, parts));
  EXPECT_TRUE(parts.identity && parts.inventory && parts.knowledge && parts.achievements &&
              parts.health);
  EXPECT_EQ(loaded.stateFlags, 0x10041u);
  loaded.stateFlags = written.stateFlags;
  EXPECT_EQ(loaded, written);  // every field, the empty second single slot included
}

TEST_F(CharacterFileTest, NamesOfSixteenBytesAndMore) {
  struct Case {
    std::string name, readBack;
  } cases[] = {{"", ""},
               {"ExactlySixteen16", "ExactlySixteen16"},
               {"SeventeenLetters!", "SeventeenLetters"}};
  for (const Case& c : cases) {
    CharacterRecord record, loaded;
    CharacterParts parts;
    record.name = c.name;
    ASSERT_TRUE(write(record));
    ASSERT_TRUE(read(loaded, parts));
    EXPECT_EQ(loaded.name, c.readBack);
  }
}

TEST_F(CharacterFileTest, UntrustedValuesAreTamed) {
  Bytes bytes = goldenFile();
  auto putU16 = [&](size_t at, uint16_t v) { bytes[at] = v & 0xFF, bytes[at + 1] = v >> 8; };
  const size_t inventory = 124;
  putU16(inventory + 4, 4096);       // first row slot 0: an id past the item tables
  putU16(inventory + 12 + 6, 0);     // slot 1: count 0
  putU16(inventory + 24 + 6, 5000);  // slot 2: count above a full stack
  const uint32_t nan = std::bit_cast<uint32_t>(std::numeric_limits<float>::quiet_NaN());
  for (int i = 0; i < 4; ++i) bytes[1336 + i] = static_cast<uint8_t>(nan >> (8 * i));
  setFileBytes(bytes);

  CharacterRecord loaded;
  CharacterParts parts;
  ASSERT_TRUE(read(loaded, parts));
  EXPECT_EQ(loaded.firstRow[0], DiskItem{});
  EXPECT_EQ(loaded.firstRow[1].count, 1);
  EXPECT_EQ(loaded.firstRow[2].count, 999);
  EXPECT_EQ(loaded.health, 0.0f);
}

TEST_F(CharacterFileTest, OlderAchievementRevisionIsIgnored) {
  Bytes bytes = goldenFile();
  bytes[12 + 3 * 12 + 2] = 0;  // section 0x8003 written with revision 0
  setFileBytes(bytes);
  CharacterRecord loaded;
  loaded.achievements[5] = 0x77;
  CharacterParts parts;
  ASSERT_TRUE(read(loaded, parts));
  EXPECT_FALSE(parts.achievements);
  EXPECT_EQ(loaded.achievements[5], 0x77);
  EXPECT_TRUE(parts.health);
}

TEST_F(CharacterFileTest, SummaryShowsLooksAndKnowledge) {
  setFileBytes(goldenFile());
  const std::unique_ptr<PlayerEntry> entry = summary();
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->displayName, "Hildegard");
  EXPECT_EQ(entry->entryId, 1);  // the low half of the state flags
  EXPECT_EQ(entry->lookWord, 0xDEADBEEF);
  EXPECT_EQ(entry->characterFlags, 8u);
  EXPECT_EQ(entry->difficultyId, 3u);
  EXPECT_EQ(entry->gridEmpty, 0);
  // The third look slot is worn over the equipment; the others show the equipment.
  EXPECT_EQ(entry->appearance[0], itemNumber(66));
  EXPECT_EQ(entry->appearance[2], itemNumber(73));
  EXPECT_EQ(entry->heldItem, itemNumber(1));
  ASSERT_TRUE(entry->knowledge.has_value());
  EXPECT_EQ((*entry->knowledge)[200], 200);
}

// Cut at every section boundary (and every byte), or flipped in the container's own bytes: the
// read fails and the summary gives nothing, without reading outside the file.
TEST_F(CharacterFileTest, DamagedFilesAreNotTakenForGoodOnes) {
  const Bytes good = goldenFile();
  for (size_t cut = 0; cut < good.size(); ++cut) {
    setFileBytes(Bytes(good.begin(), good.begin() + static_cast<long>(cut)));
    CharacterRecord loaded;
    CharacterParts parts;
    EXPECT_FALSE(read(loaded, parts)) << "cut at " << cut;
    EXPECT_EQ(summary(), nullptr) << "cut at " << cut;
  }
  for (size_t at = 0; at < 72; ++at) {
    if ((at >= 8 && at < 12) || (at >= 12 && (at - 12) % 12 == 2)) continue;  // reserved, revisions
    Bytes flipped = good;
    flipped[at] ^= 0x80;
    setFileBytes(flipped);
    CharacterRecord loaded;
    CharacterParts parts;
    const bool ok = read(loaded, parts);
    // A flipped id only hides a section; the reader then stops where the format says.
    EXPECT_TRUE(!ok || !(parts.identity && parts.inventory && parts.knowledge &&
                         parts.achievements && parts.health))
        << "flip at " << at;
  }
}

}  // namespace
