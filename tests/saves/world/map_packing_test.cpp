// The 16-byte packed cell: its bytes laid out by hand; unpacking goes through the world file tests.
#include "saves/world/map_packing.h"

#include <gtest/gtest.h>

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

}  // namespace
