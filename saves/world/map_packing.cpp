#include "saves/world/map_packing.h"

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "saves/world/world_file_format.h"
#include "world/cells/map_block.h"

namespace {

constexpr uint8_t kStateBits = 0x07;
constexpr uint8_t kSourceBit = 0x08;
constexpr uint16_t kRetiredBlock = 0x963;
constexpr uint16_t kReplacementBlock = 0x961;
constexpr uint8_t kReplacementState = 4;

uint8_t packedFlags(uint8_t flags) {
  return static_cast<uint8_t>(((flags >> 4) & kStateBits) | (flags & cell_flag::kLiquidSource));
}

uint8_t unpackedFlags(uint8_t kept, uint8_t packed) {
  const uint8_t mask = cell_flag::kStateMask | cell_flag::kLiquidSource;
  const uint8_t stored = static_cast<uint8_t>(((packed & kStateBits) << 4) | (packed & kSourceBit));
  return static_cast<uint8_t>((kept & ~mask) | stored);
}

}  // namespace

void packMapBlocks(engine::ByteWriter& writer, std::span<const MapBlock> cells) {
  writer.reserve(writer.size() + cells.size() * world_file::kPackedCellBytes);
  for (const MapBlock& cell : cells) {
    writer.u16(cell.front);
    writer.u16(cell.back);
    for (MapDeco deco : cell.decos) writer.u16(deco);
    writer.u8(cell.circuitA);
    writer.u8(cell.circuitB);
    writer.u8(cell.liquid);
    writer.u8(packedFlags(cell.flags));
  }
}

bool unpackMapBlocks(std::span<const uint8_t> packed, std::span<MapBlock> cells, int32_t width,
                     int32_t height) {
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (width <= 0 || height <= 0 || cells.size() != count ||
      packed.size() != count * world_file::kPackedCellBytes) {
    return false;
  }
  engine::ByteReader in(packed);
  size_t index = 0;
  for (int32_t x = 0; x < width; ++x) {
    for (int32_t y = 0; y < height; ++y) {
      // One checked take per cell, its fields then decoded from the 16 bytes taken: two million
      // cells make a checked call per field cost as much as inflating them.
      const std::span<const uint8_t> b = in.take(world_file::kPackedCellBytes);
      if (b.size() != world_file::kPackedCellBytes) return false;
      auto le16 = [&b](size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); };
      MapBlock& cell = cells[index++];
      cell.x = static_cast<uint16_t>(x);
      cell.y = static_cast<uint16_t>(y);
      cell.front = le16(0);
      cell.back = le16(2);
      for (size_t slot = 0; slot < cell.decos.size(); ++slot) cell.decos[slot] = le16(4 + 2 * slot);
      cell.circuitA = b[12];
      cell.circuitB = b[13];
      cell.liquid = b[14];
      cell.flags = unpackedFlags(cell.flags, b[15]);
    }
  }
  return in.ok();
}

void convertRetiredCells(std::span<uint8_t> packed) {
  for (size_t at = 0; at + world_file::kPackedCellBytes <= packed.size();
       at += world_file::kPackedCellBytes) {
    engine::ByteReader in(packed.subspan(at, 2));
    const uint16_t front = in.u16();
    if (block_word::id(front) != kRetiredBlock) continue;
    engine::ByteWriter word;
    word.u16(static_cast<uint16_t>((front & 0xF000) | kReplacementBlock));
    packed[at] = word.data()[0];
    packed[at + 1] = word.data()[1];
    uint8_t& flags = packed[at + world_file::kPackedCellBytes - 1];
    flags = static_cast<uint8_t>((flags & ~kStateBits) | kReplacementState);
  }
}
