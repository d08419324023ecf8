#pragma once
// Block definitions: one `BlockDef` row per 12-bit block id.

#include <cstdint>
#include <functional>

#include "content/format/record_bytes.h"

class MapBlock;
class PlayerBase;
class World;
struct LootTable;

// The 24-byte block record of the "blocks" section.
struct BlockRecord : content::RecordBytes<content::kBlockRecordSize> {
  uint64_t flags() const { return u64(content::block_record::flags); }
  bool hasFlag(int bit) const { return bit >= 0 && bit < 64 && ((flags() >> bit) & 1u) != 0; }
  uint16_t useKind() const { return u16(content::block_record::useKind); }
  uint16_t lightColor() const { return u16(content::block_record::lightColor); }
  // Sound index 0..3 of the block: -1 for none.
  int16_t sound(int which) const;
  uint8_t variantCount() const { return u8(content::block_record::variantCount); }
  uint8_t blastResistance() const { return u8(content::block_record::blastResistance); }
  uint8_t transparency() const { return u8(content::block_record::transparency); }
};

struct BlockDef {
  BlockRecord record;
  const LootTable* lootTable = nullptr;
  // What the block does when the local player strikes it without breaking it, in the world it
  // stands in; set by the entity effect registration.
  std::function<void(MapBlock*, PlayerBase*, World&)> strikeEffect;
};
