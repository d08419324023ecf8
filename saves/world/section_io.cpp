#include "saves/world/section_io.h"

#include "content/items/item.h"
#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "saves/container/data_stream_reader.h"
#include "world/cells/map_block.h"
#include "world/map/world_map.h"

std::optional<std::vector<uint8_t>> readPlainSection(DataStreamReader& in, uint16_t id) {
  const SectionEntry* entry = in.openSection(id);
  if (entry == nullptr) return std::nullopt;
  if (entry->storage != static_cast<uint8_t>(SectionStorage::Plain)) {
    in.fail();
    return std::vector<uint8_t>();
  }
  std::vector<uint8_t> body(entry->size);
  in.read(body);
  return body;
}

uint32_t readCount(engine::ByteReader& body, size_t minRecordBytes) {
  const uint32_t count = body.u32();
  if (body.failed() || (minRecordBytes != 0 && count > body.remaining() / minRecordBytes)) {
    body.fail();
    return 0;
  }
  return count;
}

MapBlock* cellOfRecord(WorldMap& map, uint32_t x, uint32_t y) {
  if (y >= static_cast<uint32_t>(map.height())) return nullptr;
  const auto column = static_cast<int32_t>(x % static_cast<uint32_t>(map.width()));
  return &map.cell(column, static_cast<int32_t>(y));
}

CellPos cellPosOf(const MapBlock& cell) { return {cell.x, cell.y}; }

void writeCellPos(engine::ByteWriter& out, CellPos cell) {
  out.u16(cell.x);
  out.u16(cell.y);
}

CellPos readCellPos(engine::ByteReader& in) {
  CellPos cell;
  cell.x = in.u16();
  cell.y = in.u16();
  return cell;
}

void writeItemSlot(engine::ByteWriter& out, const Item* item) { writeDiskItem(out, diskItemOf(item)); }
