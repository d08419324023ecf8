#include "saves/world/map_packing.h"

#include "engine/io/byte_writer.h"
#include "saves/world/world_file_format.h"
#include "world/cells/map_block.h"

namespace {

constexpr uint8_t kStateBits = 0x07;
constexpr uint8_t kSourceBit = 0x08;
constexpr uint16_t kRetiredBlock = 0x963;
constexpr uint16_t kReplacementBlock = 0x961;
constexpr uint8_t kReplacementState = 4;
constexpr size_t kDecoOffset = 4;
constexpr size_t kCircuitOffset = 12;
static_assert(sizeof(PackedCell) == world_file::kPackedCellBytes);

// Byte stores and loads the compiler merges into whole words: no bounds checks, no growth checks.
void storeLe16(uint8_t* at, uint16_t value) {
  at[0] = static_cast<uint8_t>(value);
  at[1] = static_cast<uint8_t>(value >> 8);
}
uint16_t loadLe16(const uint8_t* at) { return static_cast<uint16_t>(at[0] | at[1] << 8); }

uint8_t packedFlags(uint8_t flags) {
  return static_cast<uint8_t>(((flags >> 4) & kStateBits) | (flags & cell_flag::kLiquidSource));
}

uint8_t unpackedFlags(uint8_t kept, uint8_t packed) {
  const uint8_t mask = cell_flag::kStateMask | cell_flag::kLiquidSource;
  const uint8_t stored = static_cast<uint8_t>(((packed & kStateBits) << 4) | (packed & kSourceBit));
  return static_cast<uint8_t>((kept & ~mask) | stored);
}

void packInto(const MapBlock& cell, uint8_t* record) {
  storeLe16(record, cell.front);
  storeLe16(record + 2, cell.back);
  for (size_t slot = 0; slot < cell.decos.size(); ++slot) {
    storeLe16(record + kDecoOffset + 2 * slot, cell.decos[slot]);
  }
  record[kCircuitOffset] = cell.circuitA;
  record[kCircuitOffset + 1] = cell.circuitB;
  record[kCircuitOffset + 2] = cell.liquid;
  record[kCircuitOffset + 3] = packedFlags(cell.flags);
}

void unpackInto(const uint8_t* record, MapBlock& cell) {
  cell.front = loadLe16(record);
  cell.back = loadLe16(record + 2);
  for (size_t slot = 0; slot < cell.decos.size(); ++slot) {
    cell.decos[slot] = loadLe16(record + kDecoOffset + 2 * slot);
  }
  cell.circuitA = record[kCircuitOffset];
  cell.circuitB = record[kCircuitOffset + 1];
  cell.liquid = record[kCircuitOffset + 2];
  cell.flags = unpackedFlags(cell.flags, record[kCircuitOffset + 3]);
}

}  // namespace

PackedCell packMapBlock(const MapBlock& cell) {
  PackedCell record;
  packInto(cell, record.data());
  return record;
}

void packMapBlocks(engine::ByteWriter& writer, std::span<const MapBlock> cells) {
  uint8_t* record = writer.grow(cells.size() * world_file::kPackedCellBytes).data();
  for (const MapBlock& cell : cells) {
    packInto(cell, record);
    record += world_file::kPackedCellBytes;
  }
}

bool unpackMapBlocks(std::span<const uint8_t> packed, std::span<MapBlock> cells, int32_t width,
                     int32_t height) {
  const size_t count = static_cast<size_t>(width) * static_cast<size_t>(height);
  if (width <= 0 || height <= 0 || cells.size() != count ||
      packed.size() != count * world_file::kPackedCellBytes) {
    return false;
  }
  // The sizes were checked whole above, so each record is read without a check of its own.
  const uint8_t* record = packed.data();
  MapBlock* cell = cells.data();
  for (int32_t x = 0; x < width; ++x) {
    for (int32_t y = 0; y < height; ++y, ++cell, record += world_file::kPackedCellBytes) {
      cell->x = static_cast<uint16_t>(x);
      cell->y = static_cast<uint16_t>(y);
      unpackInto(record, *cell);
    }
  }
  return true;
}

void convertRetiredCells(std::span<uint8_t> packed) {
  for (size_t at = 0; at + world_file::kPackedCellBytes <= packed.size();
       at += world_file::kPackedCellBytes) {
    uint8_t* record = packed.data() + at;
    const uint16_t front = loadLe16(record);
    if (block_word::id(front) != kRetiredBlock) continue;
    storeLe16(record, static_cast<uint16_t>((front & 0xF000) | kReplacementBlock));
    uint8_t& flags = record[world_file::kPackedCellBytes - 1];
    flags = static_cast<uint8_t>((flags & ~kStateBits) | kReplacementState);
  }
}
