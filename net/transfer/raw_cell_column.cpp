#include "net/transfer/raw_cell_column.h"

#include "engine/io/byte_reader.h"
#include "engine/io/byte_writer.h"
#include "world/cells/map_block.h"

static_assert(sizeof(MapBlock) == kRawCellBytes, "a cell crosses the wire in its own 24 bytes");

void writeRawCells(engine::ByteWriter& out, std::span<const MapBlock> cells) {
  out.reserve(out.size() + cells.size() * kRawCellBytes);
  for (const MapBlock& cell : cells) {
    out.u16(cell.front);
    out.u16(cell.back);
    for (MapDeco deco : cell.decos) out.u16(deco);
    out.u16(cell.x);
    out.u16(cell.y);
    out.u8(cell.skyShadow);
    out.u8(cell.reserved);
    out.u16(cell.blockLight);
    out.u8(cell.circuitA);
    out.u8(cell.circuitB);
    out.u8(cell.flags);
    out.u8(cell.liquid);
  }
}

bool readRawColumn(std::span<const uint8_t> bytes, std::span<MapBlock> column, uint16_t x) {
  if (bytes.size() != column.size() * kRawCellBytes) return false;
  engine::ByteReader in(bytes);
  uint16_t row = 0;
  for (MapBlock& cell : column) {
    cell.front = in.u16();
    cell.back = in.u16();
    for (MapDeco& deco : cell.decos) deco = static_cast<MapDeco>(in.u16());
    in.skip(4);  // the position is the receiver's own
    cell.x = x;
    cell.y = row++;
    cell.skyShadow = in.u8();
    cell.reserved = in.u8();
    cell.blockLight = in.u16();
    cell.circuitA = in.u8();
    cell.circuitB = in.u8();
    cell.flags = in.u8();
    cell.liquid = in.u8();
  }
  return in.ok();
}
