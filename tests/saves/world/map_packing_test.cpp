// The 16-byte packed cell: its bytes laid out by hand, the record-at-once packer against the
// field-by-field form on cells with every bit set at random, and unpacking back into cells.
#include "saves/world/map_packing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <tuple>
#include <vector>

#include "engine/io/byte_writer.h"
#include "world/cells/map_block.h"

namespace {

MapBlock sampleCell() {
  MapBlock cell;
  cell.front = 0x9234;
  cell.back = 0x1056;
  cell.decos = {0x8001, 0x2002, 0x0003, 0xF004};
  cell.x = 77;
  cell.y = 88;
  cell.skyShadow = 0xF5;
  cell.blockLight = 0x1ABC;
  cell.circuitA = 0x41;
  cell.circuitB = 0x92;
  cell.flags = 0xFF;  // every flag: only the state (bits 4-6) and the source bit (3) are kept
  cell.liquid = 0xE4;
  return cell;
}

TEST(MapPacking, CellPacksToSixteenBytes) {
  const MapBlock cells[] = {sampleCell()};
  engine::ByteWriter out;
  packMapBlocks(out, cells);
  const std::vector<uint8_t> expected = {0x34, 0x92, 0x56, 0x10, 0x01, 0x80, 0x02, 0x20,
                                         0x03, 0x00, 0x04, 0xF0, 0x41, 0x92, 0xE4, 0x0F};
  EXPECT_EQ(out.data(), expected);
}

// Saves made before a block was retired still hold it; loading must turn it into its stand-in.
TEST(MapPacking, RetiredBlockOfOldCellBodies) {
  MapBlock old = sampleCell();
  old.front = 0xB963;  // layer mark, variant 3, the retired block
  const MapBlock cells[] = {old, sampleCell()};
  engine::ByteWriter packed;
  packMapBlocks(packed, cells);
  std::vector<uint8_t> bytes = packed.data();
  convertRetiredCells(bytes);
  std::vector<uint8_t> expected = packed.data();
  expected[0] = 0x61;
  expected[1] = 0xB9;
  expected[15] = 0x0C;  // state 4, the source bit kept
  EXPECT_EQ(bytes, expected);
}

// The form the cells were always written in, one checked field at a time: the bytes the world
// files on disk hold.
std::vector<uint8_t> packedFieldByField(const std::vector<MapBlock>& cells) {
  engine::ByteWriter out;
  for (const MapBlock& cell : cells) {
    out.u16(cell.front);
    out.u16(cell.back);
    for (MapDeco deco : cell.decos) out.u16(deco);
    out.u8(cell.circuitA);
    out.u8(cell.circuitB);
    out.u8(cell.liquid);
    out.u8(static_cast<uint8_t>(((cell.flags >> 4) & 7) | (cell.flags & 0x08)));
  }
  return out.data();
}

std::vector<MapBlock> randomCells(size_t count, uint32_t seed) {
  std::mt19937 random(seed);
  auto word = [&random] { return static_cast<uint16_t>(random()); };
  auto byte = [&random] { return static_cast<uint8_t>(random()); };
  std::vector<MapBlock> cells(count);
  for (MapBlock& cell : cells) {
    cell.front = word();
    cell.back = word();
    for (MapDeco& deco : cell.decos) deco = word();
    cell.x = word();
    cell.y = word();
    cell.skyShadow = byte();
    cell.reserved = byte();
    cell.blockLight = word();
    cell.circuitA = byte();
    cell.circuitB = byte();
    cell.flags = byte();
    cell.liquid = byte();
  }
  return cells;
}

// Appended behind what the writer holds already, each record also made alone.
TEST(MapPacking, RecordsEqualTheFieldByFieldForm) {
  const std::vector<MapBlock> cells = randomCells(4096, 11);
  engine::ByteWriter out;
  out.u8(0xEE);
  packMapBlocks(out, cells);
  const std::vector<uint8_t> expected = packedFieldByField(cells);
  ASSERT_EQ(out.size(), 1 + expected.size());
  EXPECT_EQ(out.data()[0], 0xEE);
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), out.data().begin() + 1));
  for (size_t i : {size_t{0}, size_t{1234}, cells.size() - 1}) {
    const PackedCell record = packMapBlock(cells[i]);
    EXPECT_TRUE(std::equal(record.begin(), record.end(), expected.begin() + 16 * static_cast<long>(i))) << i;
  }
}

// Unpacking sets what a record holds and the position; the sky, the light, the reserved byte
// and the flag bits a record does not hold keep the values the cells had.
TEST(MapPacking, UnpackingRestoresWhatTheRecordsHold) {
  constexpr int32_t kWidth = 24, kHeight = 16;
  const std::vector<MapBlock> source = randomCells(kWidth * kHeight, 12);
  engine::ByteWriter packed;
  packMapBlocks(packed, source);
  std::vector<MapBlock> cells = randomCells(source.size(), 13);
  const std::vector<MapBlock> before = cells;
  ASSERT_TRUE(unpackMapBlocks(packed.data(), cells, kWidth, kHeight));
  for (size_t i = 0; i < cells.size(); ++i) {
    SCOPED_TRACE(i);
    const MapBlock& cell = cells[i];
    EXPECT_EQ(cell.x, i / kHeight);
    EXPECT_EQ(cell.y, i % kHeight);
    EXPECT_EQ(packMapBlock(cell), packMapBlock(source[i]));
    EXPECT_EQ(cell.flags & 0x87, before[i].flags & 0x87);
    EXPECT_EQ(std::tie(cell.skyShadow, cell.reserved, cell.blockLight),
              std::tie(before[i].skyShadow, before[i].reserved, before[i].blockLight));
  }
  // Sizes that do not match leave every cell as it was.
  const std::vector<uint8_t>& bytes = packed.data();
  const std::vector<MapBlock> unpacked = cells;
  EXPECT_FALSE(unpackMapBlocks({bytes.data(), bytes.size() - 16}, cells, kWidth, kHeight));
  EXPECT_FALSE(unpackMapBlocks(bytes, cells, kWidth + 1, kHeight));
  EXPECT_FALSE(unpackMapBlocks(bytes, cells, 0, kHeight));
  for (size_t i = 0; i < cells.size(); ++i) EXPECT_EQ(packMapBlock(cells[i]), packMapBlock(unpacked[i]));
}

}  // namespace
