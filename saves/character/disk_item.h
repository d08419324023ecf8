#pragma once
// An item stack as the save files store it: the first 12 bytes of an item (u32 word, u16 id,
// u16 count, u16 durability, u16 variant). An empty slot is word 0, id 0xFFFF and six zero bytes.
// Plain value type; any thread.

#include <cstddef>
#include <cstdint>

class Item;
namespace engine {
class ByteReader;
class ByteWriter;
}  // namespace engine

inline constexpr size_t kDiskItemSize = 12;
inline constexpr uint16_t kNoItemId = 0xFFFF;
// Item ids index 4096-row tables.
inline constexpr uint16_t kMaxItemId = 4095;
inline constexpr uint16_t kMaxStackCount = 999;

struct DiskItem {
  uint32_t word = 0;
  uint16_t id = kNoItemId;
  uint16_t count = 0;
  uint16_t durability = 0;
  uint16_t variant = 0;

  // Ids 0 and 0xFFFF hold no item, as the item pool makes none for them.
  bool isEmpty() const { return id == 0 || id == kNoItemId; }
  bool operator==(const DiskItem&) const = default;
};

// The stored form of a held stack (null: the empty slot).
DiskItem diskItemOf(const Item* item);
void writeDiskItem(engine::ByteWriter& out, const DiskItem& item);
// Reads 12 bytes. A slot that came from a file is trusted only as far as the item tables reach:
// an id past them reads as an empty slot, and a real item's count is held to 1..999.
DiskItem readDiskItem(engine::ByteReader& in);
