#include "saves/character/disk_item.h"

#include <algorithm>

#include "content/items/item.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"

DiskItem diskItemOf(const Item* item) {
  if (item == nullptr) return DiskItem{};
  return DiskItem{item->word, item->id, item->count, item->durability, item->variant};
}

void writeDiskItem(engine::ByteWriter& out, const DiskItem& item) {
  out.u32(item.word);
  out.u16(item.id);
  out.u16(item.count);
  out.u16(item.durability);
  out.u16(item.variant);
}

DiskItem readDiskItem(engine::ByteReader& in) {
  DiskItem item;
  item.word = in.u32();
  item.id = in.u16();
  item.count = in.u16();
  item.durability = in.u16();
  item.variant = in.u16();
  if (item.isEmpty() || item.id > kMaxItemId) return DiskItem{};
  item.count = std::clamp<uint16_t>(item.count, 1, kMaxStackCount);
  return item;
}
