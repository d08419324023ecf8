#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "tests/support/read_file.h"
#include "tests/support/temp_dir.h"
#include "tests/tools/world_tool/run_tool.h"
#include "tools/world_tool/world_tool_args.h"
#include "tools/world_tool/world_tool_run.h"
#include "tools/world_tool/world_tool_saves.h"
#include "engine/io/byte_writer.h"
#include "platform/file_handle.h"
#include "saves/character/character_file.h"
#include "saves/character/character_record.h"
#include "saves/character/starter_kit.h"
#include "saves/world/world_file_format.h"
#include "saves/world/map_packing.h"
#include "world/map/world_map.h"

namespace {

using world_tool_test::Outcome;
using world_tool_test::runTool;

std::string checksumIn(const std::string& text) {
  const size_t at = text.find("checksum ");
  return at == std::string::npos ? std::string() : text.substr(at + 9, 16);
}

TEST(WorldToolSaves, GeneratedWorldLoadsBackWithTheSameCells) {
  testsupport::TempDir dir;
  const std::string path = dir.file("Moor.dat");
  const Outcome generated = runTool({"generate", "--planet", "terra", "--size", "0", "--seed", "3", "--save", path});
  ASSERT_EQ(generated.code, 0) << generated.err;
  const Outcome loaded = runTool({"load", path, "--png", dir.file("moor.png")});
  ASSERT_EQ(loaded.code, 0) << loaded.err;
  EXPECT_NE(loaded.out.find("world Moor: 512x128"), std::string::npos) << loaded.out;
  EXPECT_FALSE(checksumIn(generated.out).empty());
  EXPECT_EQ(checksumIn(loaded.out), checksumIn(generated.out));
  EXPECT_FALSE(testsupport::readFile(dir.file("moor.png")).empty());

  const std::string bytes = testsupport::readFile(path);
  std::ofstream(dir.file("cut.dat"), std::ios::binary) << bytes.substr(0, bytes.size() / 2);
  const Outcome damaged = runTool({"load", dir.file("cut.dat")});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_NE(damaged.err.find("cut.dat: "), std::string::npos) << damaged.err;
}

// The file with its chests section replaced by three chests under the count given: the new body
// goes at the end of the file and the section's directory entry points there.
std::string withThreeChests(std::string file, uint32_t count) {
  constexpr size_t kHeaderBytes = 12, kEntryBytes = 12;
  engine::ByteWriter body;
  body.u32(count);
  const auto item = [&body](uint16_t id, uint16_t stack) {
    body.u32(0);
    body.u16(id);
    body.u16(stack);
    body.u32(0);
  };
  for (const uint32_t x : {5u, 6u}) {
    body.u32(x);
    body.u32(60);
    body.u32(1);
    item(40, 1);
  }
  body.u32(7);  // the third chest: an iron pickaxe, 50 dirt and 3 lamps
  body.u32(60);
  body.u32(3);
  item(324, 1);
  item(263, 50);
  item(1487, 3);
  const std::vector<uint8_t>& bytes = body.data();
  engine::ByteWriter entry;
  entry.u32(static_cast<uint32_t>(file.size()));
  entry.u32(static_cast<uint32_t>(bytes.size()));
  const size_t entries = static_cast<uint8_t>(file[6]) | (static_cast<uint8_t>(file[7]) << 8);
  for (size_t at = kHeaderBytes; at < kHeaderBytes + entries * kEntryBytes; at += kEntryBytes) {
    if (static_cast<uint8_t>(file[at]) == world_file::kChests && file[at + 1] == 0) {
      file.replace(at + 4, 8, std::string(entry.data().begin(), entry.data().end()));
    }
  }
  return file.append(bytes.begin(), bytes.end());
}

// A chests section holding three chests whose count reads 2 (or 4) is named damaged, not loaded
// and counted as two.
TEST(WorldToolSaves, AChestCountOneShortOrLongIsNamedDamaged) {
  testsupport::TempDir dir;
  const std::string path = dir.file("Moor.dat");
  ASSERT_EQ(runTool({"generate", "--planet", "terra", "--size", "0", "--seed", "3", "--save", path}).code, 0);
  const std::string whole = testsupport::readFile(path);
  for (const uint32_t count : {3u, 2u, 4u}) {
    SCOPED_TRACE("count " + std::to_string(count));
    std::ofstream(dir.file("chests.dat"), std::ios::binary | std::ios::trunc) << withThreeChests(whole, count);
    const Outcome loaded = runTool({"load", dir.file("chests.dat")});
    if (count == 3) {
      EXPECT_EQ(loaded.code, 0) << loaded.err;
      EXPECT_NE(loaded.out.find("  chests                       3\n"), std::string::npos) << loaded.out;
      continue;
    }
    EXPECT_EQ(loaded.code, 1) << loaded.out;
    EXPECT_NE(loaded.err.find("chests.dat: damaged world file"), std::string::npos) << loaded.err;
    EXPECT_EQ(loaded.out.find("chests"), std::string::npos) << loaded.out;
  }
}

// A world written over another keeps the old one as the backup, and a write that fails (a kill
// or a full disk midway) leaves the file that was there whole.
TEST(WorldToolSaves, WritingOverAFileNeverLosesIt) {
  testsupport::TempDir dir;
  const std::string path = dir.file("Moor.dat");
  ASSERT_EQ(runTool({"generate", "--planet", "terra", "--size", "0", "--seed", "3", "--save", path}).code, 0);
  const std::string first = testsupport::readFile(path);
  ASSERT_EQ(runTool({"generate", "--planet", "terra", "--size", "0", "--seed", "4", "--save", path}).code, 0);
  EXPECT_NE(testsupport::readFile(path), first);
  EXPECT_EQ(testsupport::readFile(dir.file("Moor.bak")), first);

  const std::string second = testsupport::readFile(path);
  const bool written = world_tool::writeFileSafely(path, [](kel::FileHandle& file) {
    std::fputs("half a world", file.stream());
    return false;
  });
  EXPECT_FALSE(written);
  EXPECT_EQ(testsupport::readFile(path), second);
}

// The printed checksum is FNV-1a over the world file's cell body, as it has always been printed:
// users compare checksums across versions, so the value must not change with how it is computed.
TEST(WorldToolSaves, ChecksumIsTheHashOfThePackedCellBody) {
  WorldMap map(nullptr, WorldParams{}, 64, 16);
  std::mt19937 random(9);
  for (size_t i = 0; i < map.cellCount(); ++i) {
    MapBlock& cell = map.cells()[i];
    cell.front = static_cast<uint16_t>(random());
    cell.decos[i % 4] = static_cast<uint16_t>(random());
    cell.flags = static_cast<uint8_t>(random());
    cell.liquid = static_cast<uint8_t>(random());
    cell.blockLight = static_cast<uint16_t>(random());  // not saved: must not count
  }
  engine::ByteWriter packed;
  packMapBlocks(packed, {map.cells(), map.cellCount()});
  uint64_t expected = 0xCBF29CE484222325ull;
  for (uint8_t byte : packed.data()) expected = (expected ^ byte) * 0x100000001B3ull;
  EXPECT_EQ(world_tool::cellsChecksum(map), expected);
  const uint64_t before = expected;
  map.cells()[7].blockLight ^= 0x0FFF;
  EXPECT_EQ(world_tool::cellsChecksum(map), before);
  map.cells()[7].circuitB ^= 1;
  EXPECT_NE(world_tool::cellsChecksum(map), before);
}

TEST(WorldToolSaves, NewCharacterFileLoads) {
  testsupport::TempDir dir;
  const std::string path = dir.file("Ada.dat");
  ASSERT_EQ(runTool({"character", "Ada", "--out", path}).code, 0);
  const Outcome loaded = runTool({"load", path});
  ASSERT_EQ(loaded.code, 0) << loaded.err;
  EXPECT_NE(loaded.out.find("character Ada: health 5.0, difficulty 2, state flags 0x1"), std::string::npos)
      << loaded.out;
  // It starts with the kit a character made in the menus has.
  CharacterRecord record;
  CharacterParts parts;
  kel::FileHandle file(path, kel::FileHandle::READ);
  ASSERT_TRUE(readCharacterFile(file, record, parts));
  for (size_t i = 0; i < kStarterKit.size(); ++i) {
    EXPECT_EQ(record.firstRow[i].id, kStarterKit[i].id) << "slot " << i;
    EXPECT_EQ(record.firstRow[i].count, kStarterKit[i].count) << "slot " << i;
  }
}

}  // namespace
